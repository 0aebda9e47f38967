// Test support: projects loaded from JSON text, the caller's three lists, and
// scratch working directories.
#ifndef TOVEX_TESTS_SUPPORT_H
#define TOVEX_TESTS_SUPPORT_H

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "host/listkit.h"
#include "model/workspace.h"
#include "model/cost_row_lists.h"

namespace tovex_test {

// Parses a project file text and makes it the host's loaded project; returns
// it. Throws on an invalid project.
qxhost::Project& load_project(std::string_view json);
// The loaded project (aborts the test when none).
qxhost::Project& loaded();

// The caller's three parallel lists, built from the loaded project's cost
// rows (or given rows), with readers for the tests.
class CallerLists : public qxhost::CallerLists {
public:
    CallerLists();  // from loaded().cost_rows
    explicit CallerLists(const std::vector<qxhost::CostRow>& rows) : qxhost::CallerLists(rows) {}

    // The value text of the row whose cost slot is `cost_slot` ("" when the row
    // is missing).
    std::string value_of(std::string_view cost_slot) const;
    // The number handed with that row, if any.
    bool number_of(std::string_view cost_slot, std::uint64_t& number) const;
};

// A fresh empty folder that is the process's working directory while the
// object lives; the previous working directory is restored afterwards and
// the folder removed.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Reads a file of the folder whole ("" when missing).
    std::string read(const std::string& name) const;
    void write(const std::string& name, std::string_view text) const;
    bool exists(const std::string& name) const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// A file whole ("" when missing).
std::string read_file(const std::filesystem::path& path);

// The repository's source folder (from TOVEX_SOURCE_DIR).
std::filesystem::path source_dir();
// The build folder (from TOVEX_BINARY_DIR).
std::filesystem::path binary_dir();

}  // namespace tovex_test

#endif
