#include "html_output.h"


#include "fileio/atomic_file.h"
#include "command_error.h"
#include "host/unitkit.h"
#include "htmlreport/html_report.h"
#include "store/store.h"
#include "store_output.h"
#include "tovex/results_layout.h"

namespace tovex_cli {

using qxhost::FileWriteError;
using qxhost::write_file_atomically;

namespace {

void write_page(const std::string& path, const std::string& page, int status_when_not_written)
{
    try {
        write_file_atomically(path, page);
    } catch (const FileWriteError& error) {
        throw CommandError(status_when_not_written, error.what());
    }
}

}  // namespace

void write_html_for_run(const CommandOptions& options, const qxhost::Project& project, int result,
                        qxhost::run_results::RunResults results, const qxhost::run_results::RunJournal& journal,
                        std::vector<qxhost::checks::Finding> findings)
{
    tovex_html::RunFacts run;
    const bool pass = options.action == CommandOptions::Action::pass;
    run.call = call_text(call_name(options), pass ? std::optional(options.class_id) : std::nullopt,
                         pass ? std::optional(options.record ? 1 : 0) : std::nullopt);
    run.when_utc = qxhost::store::utc_now();
    run.result = result;
    run.results = std::move(results);
    run.journal = journal;
    run.findings = std::move(findings);
    run.version = TOVEX_VERSION;
    write_page(options.html_path, tovex_html::html_report(project, run), exit_not_saved);
}

void write_html_for_stored_run(const CommandOptions& options, qxhost::store::Store& store,
                               const qxhost::store::RunSummary& summary,
                               const std::vector<std::pair<std::string, std::string>>& files)
{
    tovex_html::RunFacts run;
    const auto project = store.load_project(summary.run);
    run.call = call_text(summary.call, summary.class_id, summary.record);
    run.when_utc = summary.started_utc;
    run.result = summary.result;
    run.journal = store.journal(summary.run);
    std::string_view summary_report;
    for (const auto& [name, bytes] : files)
        if (name == tovex::layout::summary_report) summary_report = bytes;
    // The items and warnings as the store kept them.
    run.results = qxhost::run_results::run_results(*project, summary_report, std::nullopt);
    run.results.items = store.items(summary.run);
    run.results.warnings = store.warnings(summary.run);
    run.findings = store.findings(summary.run);
    run.version = TOVEX_VERSION;
    project->index_unless_built();
    write_page(options.html_path, tovex_html::html_report(*project, run), exit_bad_input);
}

}  // namespace tovex_cli
