#include "session/stored_results.h"

#include "tovex/results_layout.h"

namespace qxhost::session {

StoredResults stored_results(store::Store& store, const store::RunSummary& summary,
                             const std::vector<std::pair<std::string, std::string>>& files)
{
    StoredResults stored;
    stored.project = store.load_project(summary.run);
    std::string_view summary_report;
    for (const auto& [name, bytes] : files)
        if (name == tovex::layout::summary_report) summary_report = bytes;
    stored.results = run_results::run_results(*stored.project, summary_report, std::nullopt);
    stored.results.items = store.items(summary.run);
    stored.results.warnings = store.warnings(summary.run);
    stored.journal = store.journal(summary.run);
    stored.findings = store.findings(summary.run);
    stored.project->index_unless_built();
    return stored;
}

}  // namespace qxhost::session
