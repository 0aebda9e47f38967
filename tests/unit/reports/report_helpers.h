// Helpers of the report tests: small projects written as JSON, the run's
// project handle, fixture files and the lines of a report.
#ifndef TOVEX_TESTS_REPORT_HELPERS_H
#define TOVEX_TESTS_REPORT_HELPERS_H

#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/projmodel.h"
#include "support/support.h"

namespace reports_test {

inline constexpr std::uint32_t instance = 7;
inline constexpr const char* project_name = "ETH-REPORTS";
inline constexpr const char* scenario = "Base Case";

// The pieces of a test project; each is the JSON text of its key's value,
// left out when empty.
struct project_parts {
    std::string entries = "[]";  // utility streams entries
    std::string objects;
    std::string databases;
    std::string cost_rows;
    std::string utility_streams_extra;  // e.g. "\"valid\": false"
    std::string scenario_name = scenario;
};

std::string project_json(const project_parts& parts);

// Loads the project and opens it as a run does.
std::unique_ptr<CqxProject> load_and_open(const project_parts& parts);
std::unique_ptr<CqxProject> load_and_open(std::string_view json);
std::unique_ptr<CqxProject> open_project();

// A fixture file of tests/fixtures/reports, whole.
std::string fixture(const std::string& name);

// The lines of a text split at its line feeds; a final line feed starts no
// further line.
std::vector<std::string> lines_of(const std::string& text);
// The lines after the column heading and the empty line that follows it.
std::vector<std::string> body_lines(const std::string& text, std::string_view column_heading);

// A slot value read from a usage record of UTILRES0; "<missing>" when the
// record or the slot is missing.
std::string record_text(const std::string& record, const std::string& slot);
bool record_has(const std::string& record, const std::string& slot);

// Makes `name` in the working directory a link to /dev/full, on which every
// write fails.
void link_to_full_device(const std::string& name);

// Lets writes to regular files grow them to `limit` bytes only, for the
// lifetime of the object; a write past it fails instead of raising a signal.
class file_size_limit {
public:
    explicit file_size_limit(rlim_t limit);
    ~file_size_limit();
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

private:
    rlimit saved_{};
    void (*previous_handler_)(int) = nullptr;
};

}  // namespace reports_test

#endif
