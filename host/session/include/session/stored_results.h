// A run a store keeps, as a page, a results workbook or a script shows it.
#ifndef QXHOST_SESSION_STORED_RESULTS_H
#define QXHOST_SESSION_STORED_RESULTS_H

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "checks/findings.h"
#include "model/project.h"
#include "run_results/run_journal.h"
#include "run_results/run_results.h"
#include "store/store.h"

namespace qxhost::session {

// The project as the run left it (indexed), the results read back from the
// summary report it wrote, with the items, warnings, journal and findings
// the store kept.
struct StoredResults {
    std::unique_ptr<Project> project;
    run_results::RunResults results;
    std::optional<run_results::RunJournal> journal;
    std::vector<checks::Finding> findings;
};
StoredResults stored_results(store::Store& store, const store::RunSummary& summary,
                             const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace qxhost::session

#endif
