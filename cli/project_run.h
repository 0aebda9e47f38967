// One run of the module on a loaded project, in a folder: what `run`,
// `pass` and `check` share.
#ifndef TOVEX_CLI_PROJECT_RUN_H
#define TOVEX_CLI_PROJECT_RUN_H

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "checks/findings.h"
#include "command_line.h"
#include "entry_call.h"
#include "model/project.h"
#include "progress.h"
#include "run_folder.h"
#include "run_results/run_journal.h"
#include "run_results/run_results.h"

namespace tovex_cli {

// The project file at `path`, the project a store there holds now, or the
// project a workbook (.xlsx) or a folder of CSV sheets holds; throws CommandError (exit status 2)
// for one that cannot be read.
std::unique_ptr<qxhost::Project> read_project(const std::string& path, Progress& progress);

ProjectIdentity identity_for(const CommandOptions& options, const qxhost::Project& project);

// The run itself, in the staging folder of `folder`: writes KVT_ELEC.TMP
// (or carries in the one the folder has), calls the entry point, copies the
// value lists back into the project's cost rows, keeps the journal of what
// it wrote, and puts the files it wrote into place. Returns the entry
// point's result.
int run_in_folder(const CommandOptions& options, const EntryCall& entry, qxhost::Project& project,
                  RunFolder& folder, qxhost::run_results::RunJournal& journal, Progress& progress);

// The reports a run with this result should have written and did not (the
// module could not write them).
std::vector<std::string> missing_reports(const CommandOptions& options, int result, const RunFolder& folder);

// What the run left, read back from the project and the reports it wrote;
// the items only when `with_items`.
qxhost::run_results::RunResults results_of_run(const CommandOptions& options, int result,
                                               const qxhost::Project& project, const std::filesystem::path& folder,
                                               bool with_items);

// The findings of the run the options call for, on the project as the run
// left it (the rules read only what a run does not change).
std::vector<qxhost::checks::Finding> findings_of_run(const CommandOptions& options, const qxhost::Project& project,
                                                     const qxhost::run_results::RunResults& results);

// The findings of the run the options call for, made in a scratch folder
// of its own that is removed after: nothing is written anywhere else.
std::vector<qxhost::checks::Finding> check_in_scratch(const CommandOptions& options,
                                                      std::unique_ptr<qxhost::Project> project, Progress& progress);

}  // namespace tovex_cli

#endif
