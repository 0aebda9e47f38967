#include "script_store.h"

#include "session/module_run.h"
#include "session/stored_results.h"
#include "sheets/results_workbook.h"
#include "store/store.h"
#include "store/store_json.h"
#include "tovex/results_layout.h"

namespace tovex_python {

namespace {

std::string_view file_in(const std::map<std::string, std::string>& files, std::string_view name)
{
    const auto found = files.find(std::string(name));
    return found == files.end() ? std::string_view() : std::string_view(found->second);
}

}  // namespace

ScriptRun stored_run(const std::string& path, std::optional<long> number)
{
    qxhost::store::Store store(path);
    const qxhost::store::RunSummary summary = store.run(number);
    const auto files = store.files(summary.run);
    qxhost::session::StoredResults stored = qxhost::session::stored_results(store, summary, files);
    ScriptRun run;
    run.result = summary.result;
    run.request.call = qxhost::session::call_named(summary.call).value_or(qxhost::session::RunRequest::Call::full);
    run.request.class_id = summary.class_id.value_or(0);
    run.request.record = summary.record.value_or(0) != 0;
    run.call = qxhost::store::call_text(summary.call, summary.class_id, summary.record);
    run.warnings = stored.results.warnings;
    run.findings = stored.findings;
    const qxhost::sheets::RunReport report{run.call, summary.started_utc, summary.result, TOVEX_VERSION,
                                           stored.results, stored.journal, stored.findings};
    run.tables = qxhost::sheets::results_workbook(*stored.project, report);
    for (const auto& [name, bytes] : files) run.reports.emplace(name, bytes);
    run.state = std::move(stored.project);
    return run;
}

long keep_run(const std::string& path, const qxhost::Project& project, const std::string& source, const RunToKeep& run)
{
    namespace layout = tovex::layout;
    qxhost::store::import_project(path, project, source);
    qxhost::store::Store store(path);
    store.begin_run();
    const qxhost::Project& after = *run.state;
    const bool wrote = run.result == 1 && run.request.call != qxhost::session::RunRequest::Call::pass;
    auto results = qxhost::run_results::run_results(after, wrote ? file_in(run.files, layout::summary_report) : "",
                                                    file_in(run.files, layout::detailed_report));
    results.warnings = run.warnings;
    const auto findings = qxhost::session::findings_of_run(run.request, after, results);
    qxhost::store::RunRecord record = qxhost::session::run_record(
        run.request, qxhost::session::identity_for(run.request, project), run.result, results, findings);
    record.files.assign(run.files.begin(), run.files.end());
    return store.record_run(after, record);
}

}  // namespace tovex_python
