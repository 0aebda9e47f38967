// The command's runs through the session library: its options as a run
// request, the module it loads, and the run in the folder --dir names.
#ifndef TOVEX_CLI_PROJECT_RUN_H
#define TOVEX_CLI_PROJECT_RUN_H

#include <memory>
#include <string>
#include <vector>

#include "checks/findings.h"
#include "command_line.h"
#include "model/project.h"
#include "progress.h"
#include "run_folder.h"
#include "run_results/run_journal.h"
#include "session/entry_call.h"
#include "session/module.h"

namespace tovex_cli {

using qxhost::session::EntryCall;
using qxhost::session::Module;
using qxhost::session::ProjectIdentity;

qxhost::session::RunRequest run_request(const CommandOptions& options);
ProjectIdentity identity_for(const CommandOptions& options, const qxhost::Project& project);

// The module --module names, else lib/libtovex.so.0 beside the folder that
// holds the command, else the plain name for the loader's search path.
std::unique_ptr<Module> load_module(const CommandOptions& options);

// The run in the staging folder of `folder`, whose files are put in place
// once it has ended. Returns the entry point's result.
int run_in_folder(const CommandOptions& options, const EntryCall& entry, qxhost::Project& project,
                  RunFolder& folder, qxhost::run_results::RunJournal& journal, Progress& progress);

// The reports a run with this result should have written and did not (the
// module could not write them).
std::vector<std::string> missing_reports(const CommandOptions& options, int result, const RunFolder& folder);

// The findings of the run the options call for, made in a scratch folder
// of its own that is removed after: nothing is written anywhere else.
std::vector<qxhost::checks::Finding> check_in_scratch(const CommandOptions& options,
                                                      std::unique_ptr<qxhost::Project> project, Progress& progress);

}  // namespace tovex_cli

#endif
