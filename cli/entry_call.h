// The call of the module's entry point that the command line asks for.
#ifndef TOVEX_CLI_ENTRY_CALL_H
#define TOVEX_CLI_ENTRY_CALL_H

#include <cstdint>
#include <string>

#include "model/cost_row_lists.h"
#include "command_line.h"
#include "module.h"

namespace tovex_cli {

// What is handed to the module as the project's identity.
struct ProjectIdentity {
    std::uint32_t instance = 0;
    std::string name;
    std::string scenario;
};

class EntryCall {
public:
    // Finds the entry point; throws CommandError (exit status 2) when the
    // module lacks it.
    EntryCall(const Module& module, const CommandOptions& options);

    // Calls it and returns its result. A pass first constructs the project,
    // simulation case and utility streams configuration as a run would, and
    // calls nothing (result 0) when the project or the configuration is not
    // valid.
    int call(const ProjectIdentity& identity, const qxhost::CallerLists& lists) const;

private:
    int pass(const ProjectIdentity& identity, const qxhost::CallerLists& lists) const;

    const CommandOptions& options_;
    RunEntry run_ = nullptr;
    PassEntry pass_ = nullptr;
    RecordingPassEntry recording_pass_ = nullptr;
};

// Why the host finds the project or its utility streams configuration not
// valid for `identity`: a sentence for the message of exit status 1.
std::string why_not_valid(const ProjectIdentity& identity);

}  // namespace tovex_cli

#endif
