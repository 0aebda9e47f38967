// The call of the module's entry point that a run asks for.
#ifndef QXHOST_SESSION_ENTRY_CALL_H
#define QXHOST_SESSION_ENTRY_CALL_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/cost_row_lists.h"
#include "model/project.h"
#include "session/module.h"

namespace qxhost::session {

// Which call a run makes, and what it hands the module as the project's
// identity when it is not the project's own.
struct RunRequest {
    enum class Call { full, reduced, pass };
    Call call = Call::full;
    std::int32_t class_id = 0;  // a pass's class
    bool record = false;        // a pass records equipment information
    std::optional<std::uint32_t> instance;
    std::optional<std::string> name;
    std::optional<std::string> scenario;
};

// What is handed to the module as the project's identity.
struct ProjectIdentity {
    std::uint32_t instance = 0;
    std::string name;
    std::string scenario;
};

ProjectIdentity identity_for(const RunRequest& request, const Project& project);

// "full", "reduced" or "pass": the call as a store keeps it.
std::string_view call_name(RunRequest::Call call);
// The call of that name; none for another name.
std::optional<RunRequest::Call> call_named(std::string_view name);

// The call as a store and a results workbook name it: "full", "reduced",
// "pass 3105" or "pass 3105 --record".
std::string call_text(const RunRequest& request);

class EntryCall {
public:
    // Finds the entry point; throws SessionError when the module lacks it.
    EntryCall(const Module& module, const RunRequest& request);

    // Calls it and returns its result. A pass first constructs the project,
    // simulation case and utility streams configuration as a run would, and
    // calls nothing (result 0) when the project or the configuration is not
    // valid.
    int call(const ProjectIdentity& identity, const CallerLists& lists) const;

private:
    int pass(const ProjectIdentity& identity, const CallerLists& lists) const;

    std::int32_t class_id_ = 0;
    RunEntry run_ = nullptr;
    PassEntry pass_ = nullptr;
    RecordingPassEntry recording_pass_ = nullptr;
};

// Why the host finds the project or its utility streams configuration not
// valid for `identity`: a sentence for the message of a run that gave 0.
std::string why_not_valid(const ProjectIdentity& identity);

}  // namespace qxhost::session

#endif
