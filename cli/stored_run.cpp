#include "stored_run.h"

#include "command_error.h"
#include "project_run.h"
#include "session/module_run.h"
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
    qxhost::store::RunRecord run = qxhost::session::run_record(run_request(options), identity, result, results, findings);
    run.journal = journal;
    run.writes = qxhost::Workspace::get().writes();
    try {
        run.files = qxhost::store::files_of_run(folder, started);
        store_->record_run(project, run);
    } catch (const qxhost::store::StoreError& error) {
        throw CommandError(exit_not_saved, error.what());
    }
}

}  // namespace tovex_cli
