// Writing a run's results as a workbook (--xlsx) or as CSV tables (--csv):
// of a run just made, or of one kept in a store.
#ifndef TOVEX_CLI_RESULTS_OUTPUT_H
#define TOVEX_CLI_RESULTS_OUTPUT_H

#include <string>
#include <utility>
#include <vector>

#include "checks/findings.h"
#include "command_line.h"
#include "model/project.h"
#include "run_results/run_journal.h"
#include "run_results/run_results.h"
#include "store/store.h"

namespace tovex_cli {

// The results of the run just made on `project` (indexed on the way).
// Throws CommandError with status 3: the run was made and kept.
void write_results_for_run(const CommandOptions& options, qxhost::Project& project, int result,
                           const qxhost::run_results::RunResults& results,
                           const qxhost::run_results::RunJournal& journal,
                           const std::vector<qxhost::checks::Finding>& findings);

// The results of run `summary` of `store`, which wrote `files`.
void write_results_for_stored_run(const CommandOptions& options, qxhost::store::Store& store,
                                  const qxhost::store::RunSummary& summary,
                                  const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace tovex_cli

#endif
