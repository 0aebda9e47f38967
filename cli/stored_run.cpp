#include "stored_run.h"

#include "command_error.h"
#include "host/unitkit.h"

namespace tovex_cli {

StoredRun::StoredRun(const std::string& path) : path_(path)
{
    if (!qxhost::store::looks_like_store(path)) return;
    try {
        session_ = std::make_unique<qxhost::store::RunSession>(path);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

std::unique_ptr<qxhost::Project> StoredRun::load()
{
    try {
        return session_->load();
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

void StoredRun::record(const CommandOptions& options, const ProjectIdentity& identity, int result,
                       const qxhost::Project& project, const qxhost::results::RunResults& results,
                       const qxhost::results::RunJournal& journal,
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
    run.warnings = unitkit_warnings();
    run.journal = journal;
    run.total_per_period = results.totals.per_period;
    // Only the runs that write usage records have items of their own.
    if (run.call == "full" || run.record.value_or(0) != 0) run.items = results.items;
    try {
        run.files = qxhost::store::files_of_run(folder, started);
        session_->record(project, run);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_not_saved, error.what());
    }
}

}  // namespace tovex_cli
