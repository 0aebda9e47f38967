// One run of the module on a loaded project, in a folder, and what it
// left: what the command's run, pass and check and the Python package share.
#ifndef QXHOST_SESSION_MODULE_RUN_H
#define QXHOST_SESSION_MODULE_RUN_H

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/findings.h"
#include "model/project.h"
#include "run_results/run_journal.h"
#include "run_results/run_results.h"
#include "session/entry_call.h"
#include "session/progress.h"
#include "store/store.h"

namespace qxhost::session {

// The run itself, with `folder` as the working directory while it lasts:
// writes KVT_ELEC.TMP there from the project's loads (or, when the project
// gives none, calls `carry_in` with the file's name, to bring in one the
// caller keeps), calls the entry point, copies the value lists back into
// the project's cost rows and keeps the journal of what it wrote. The
// project must be the loaded one. Returns the entry point's result.
int run_in(const RunRequest& request, const EntryCall& entry, Project& project, const std::filesystem::path& folder,
           const std::function<void(std::string_view)>& carry_in, run_results::RunJournal& journal,
           Progress& progress);

// The reports a run with this result should have written, by name.
std::vector<std::string> expected_reports(const RunRequest& request, int result);

// What the run left, read back from the project and the reports it wrote
// in `folder`; the items only when `with_items`.
run_results::RunResults results_of_run(const RunRequest& request, int result, const Project& project,
                                       const std::filesystem::path& folder, bool with_items);

// The findings of the run, on the project as the run left it (the rules
// read only what a run does not change).
std::vector<checks::Finding> findings_of_run(const RunRequest& request, const Project& project,
                                             const run_results::RunResults& results);

// The run as a store keeps it, but for its files, journal and writes: the
// record views `results` and `findings`, which must outlive it.
store::RunRecord run_record(const RunRequest& request, const ProjectIdentity& identity, int result,
                            const run_results::RunResults& results, const std::vector<checks::Finding>& findings);

}  // namespace qxhost::session

#endif
