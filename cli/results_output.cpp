#include "results_output.h"

#include "command_error.h"
#include "fileio/atomic_file.h"
#include "sheets/csv_folder.h"
#include "sheets/results_workbook.h"
#include "sheets/xlsx_file.h"
#include "store_output.h"
#include "stored_run.h"

namespace tovex_cli {

namespace {

void write(const qxhost::Project& project, const qxhost::sheets::RunReport& run, const CommandOptions& options,
           int status_when_not_written)
{
    const auto workbook = qxhost::sheets::results_workbook(project, run);
    try {
        if (!options.xlsx_path.empty()) qxhost::sheets::write_xlsx(workbook, options.xlsx_path);
        if (!options.csv_path.empty()) qxhost::sheets::write_csv_folder(workbook, options.csv_path);
    } catch (const qxhost::sheets::WorkbookError& error) {
        throw CommandError(status_when_not_written, error.what());
    } catch (const qxhost::FileWriteError& error) {
        throw CommandError(status_when_not_written, error.what());
    }
}

}  // namespace

void write_results_for_run(const CommandOptions& options, qxhost::Project& project, int result,
                           const qxhost::run_results::RunResults& results,
                           const qxhost::run_results::RunJournal& journal,
                           const std::vector<qxhost::checks::Finding>& findings)
{
    const bool pass = options.action == CommandOptions::Action::pass;
    const std::optional<qxhost::run_results::RunJournal> kept = journal;
    project.index_unless_built();
    write(project,
          {call_text(call_name(options), pass ? std::optional(options.class_id) : std::nullopt,
                     pass ? std::optional(options.record ? 1 : 0) : std::nullopt),
           qxhost::store::utc_now(), result, TOVEX_VERSION, results, kept, findings},
          options, exit_not_saved);
}

void write_results_for_stored_run(const CommandOptions& options, qxhost::store::Store& store,
                                  const qxhost::store::RunSummary& summary,
                                  const std::vector<std::pair<std::string, std::string>>& files)
{
    const StoredResults stored = stored_results(store, summary, files);
    write(*stored.project,
          {call_text(summary.call, summary.class_id, summary.record), summary.started_utc, summary.result,
           TOVEX_VERSION, stored.results, stored.journal, stored.findings},
          options, exit_bad_input);
}

}  // namespace tovex_cli
