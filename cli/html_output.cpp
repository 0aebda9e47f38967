#include "html_output.h"

#include "fileio/atomic_file.h"
#include "project_run.h"
#include "command_error.h"
#include "host/unitkit.h"
#include "htmlreport/html_report.h"
#include "store/store.h"
#include "store_output.h"
#include "session/stored_results.h"
#include "stored_run.h"

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

std::string html_for_run(const CommandOptions& options, const qxhost::Project& project, int result,
                         qxhost::run_results::RunResults results, const qxhost::run_results::RunJournal& journal,
                         std::vector<qxhost::checks::Finding> findings)
{
    tovex_html::RunFacts run;
    run.call = qxhost::session::call_text(run_request(options));
    run.when_utc = qxhost::store::utc_now();
    run.result = result;
    run.results = std::move(results);
    run.journal = journal;
    run.findings = std::move(findings);
    run.version = TOVEX_VERSION;
    return tovex_html::html_report(project, run);
}

void write_html_page(const CommandOptions& options, const std::string& page)
{
    write_page(options.html_path, page, exit_not_saved);
}

void write_html_for_stored_run(const CommandOptions& options, qxhost::store::Store& store,
                               const qxhost::store::RunSummary& summary,
                               const std::vector<std::pair<std::string, std::string>>& files)
{
    qxhost::session::StoredResults stored = qxhost::session::stored_results(store, summary, files);
    tovex_html::RunFacts run;
    run.call = qxhost::store::call_text(summary.call, summary.class_id, summary.record);
    run.when_utc = summary.started_utc;
    run.result = summary.result;
    run.results = std::move(stored.results);
    run.journal = std::move(stored.journal);
    run.findings = std::move(stored.findings);
    run.version = TOVEX_VERSION;
    write_page(options.html_path, tovex_html::html_report(*stored.project, run), exit_bad_input);
}

}  // namespace tovex_cli
