#include "results_output.h"

#include "command_error.h"
#include "project_run.h"
#include "sheets/results_workbook.h"
#include "store_output.h"
#include "session/stored_results.h"
#include "stored_run.h"
#include "workbook_output.h"

namespace tovex_cli {

void write_results_for_run(const CommandOptions& options, qxhost::Project& project, int result,
                           const qxhost::run_results::RunResults& results,
                           const qxhost::run_results::RunJournal& journal,
                           const std::vector<qxhost::checks::Finding>& findings)
{
    const std::optional<qxhost::run_results::RunJournal> kept = journal;
    project.index_unless_built();
    const qxhost::sheets::RunReport run{qxhost::session::call_text(run_request(options)), qxhost::store::utc_now(), result, TOVEX_VERSION, results, kept, findings};
    write_workbook(qxhost::sheets::results_workbook(project, run), options, exit_not_saved);
}

void write_results_for_stored_run(const CommandOptions& options, qxhost::store::Store& store,
                                  const qxhost::store::RunSummary& summary,
                                  const std::vector<std::pair<std::string, std::string>>& files)
{
    const qxhost::session::StoredResults stored = qxhost::session::stored_results(store, summary, files);
    const qxhost::sheets::RunReport run{qxhost::store::call_text(summary.call, summary.class_id, summary.record), summary.started_utc,
                                        summary.result, TOVEX_VERSION, stored.results, stored.journal, stored.findings};
    write_workbook(qxhost::sheets::results_workbook(*stored.project, run), options, exit_bad_input);
}

}  // namespace tovex_cli
