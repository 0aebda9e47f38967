// Writing the HTML report of a run: one just made, or one kept in a store.
#ifndef TOVEX_CLI_HTML_OUTPUT_H
#define TOVEX_CLI_HTML_OUTPUT_H

#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "model/project.h"
#include "run_results/run_results.h"
#include "run_results/run_journal.h"
#include "store/store.h"

namespace tovex_cli {

// The page for the run just made on `project`, which left `results`, kept
// `journal` and gave `findings`. It only reads them: the command makes it
// while it writes the state file.
std::string html_for_run(const CommandOptions& options, const qxhost::Project& project, int result,
                         qxhost::run_results::RunResults results, const qxhost::run_results::RunJournal& journal,
                         std::vector<qxhost::checks::Finding> findings);
// Writes `page` whole or not at all to --html. Throws CommandError.
void write_html_page(const CommandOptions& options, const std::string& page);

// The page for run `summary` of `store`, which wrote `files` (name,
// bytes). Throws CommandError or StoreError.
void write_html_for_stored_run(const CommandOptions& options, qxhost::store::Store& store,
                               const qxhost::store::RunSummary& summary,
                               const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace tovex_cli

#endif
