#include "stored_run.h"

#include "command_error.h"
#include "tovex/results_layout.h"
#include "model/workspace.h"
#include "host/unitkit.h"

namespace tovex_cli {

// The store's failures before the run end the command with status 2 and
// their own message (main's handler); only keeping the run has its own.
StoredRun::StoredRun(const std::string& path)
{
    if (qxhost::store::looks_like_store(path)) store_ = std::make_unique<qxhost::store::Store>(path);
}

std::unique_ptr<qxhost::Project> StoredRun::load() { return store_->begin_run(); }

void StoredRun::record(const CommandOptions& options, const qxhost::session::ProjectIdentity& identity, int result,
                       const qxhost::Project& project, const qxhost::run_results::RunResults& results,
                       const qxhost::run_results::RunJournal& journal,
                       const std::vector<qxhost::checks::Finding>& findings,
                       const std::filesystem::path& folder,
                       std::filesystem::file_time_type started)
{
    qxhost::store::RunRecord run;
    run.call = call_name(options);
    if (options.action == CommandOptions::Action::pass) {
        run.class_id = options.class_id;
        run.record = options.record ? 1 : 0;
    }
    run.instance = identity.instance;
    run.name = identity.name;
    run.scenario = identity.scenario;
    run.result = result;
    run.warnings = results.warnings;
    run.journal = journal;
    run.writes = qxhost::Workspace::get().writes();
    run.total_per_period = results.totals.per_period;
    run.utilities = results.utilities;
    run.all_per_hour = results.totals.all_per_hour;
    run.all_per_period = results.totals.all_per_period;
    run.items = results.items;
    run.findings = findings;
    try {
        run.files = qxhost::store::files_of_run(folder, started);
        store_->record_run(project, run);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_not_saved, error.what());
    }
}

StoredResults stored_results(qxhost::store::Store& store, const qxhost::store::RunSummary& summary,
                             const std::vector<std::pair<std::string, std::string>>& files)
{
    StoredResults stored;
    stored.project = store.load_project(summary.run);
    std::string_view summary_report;
    for (const auto& [name, bytes] : files)
        if (name == tovex::layout::summary_report) summary_report = bytes;
    stored.results = qxhost::run_results::run_results(*stored.project, summary_report, std::nullopt);
    stored.results.items = store.items(summary.run);
    stored.results.warnings = store.warnings(summary.run);
    stored.journal = store.journal(summary.run);
    stored.findings = store.findings(summary.run);
    stored.project->index_unless_built();
    return stored;
}

}  // namespace tovex_cli
