// A run's results as the workbook a cost engineer passes on: a summary with
// both headline totals, the utilities with a bar chart, every item line,
// the areas and report groups, the reconciliation, and the findings and
// warnings. Every figure is the run's own (run_results), as on the page.
#ifndef QXHOST_SHEETS_RESULTS_WORKBOOK_H
#define QXHOST_SHEETS_RESULTS_WORKBOOK_H

#include <optional>
#include <string>
#include <vector>

#include "checks/findings.h"
#include "model/project.h"
#include "run_results/run_journal.h"
#include "run_results/run_results.h"
#include "sheets/workbook.h"

namespace qxhost::sheets {

struct RunReport {
    std::string call;      // "full", "reduced", "pass 3105 --record"
    std::string when_utc;  // ISO 8601
    int result = 0;
    std::string version;
    const run_results::RunResults& results;
    const std::optional<run_results::RunJournal>& journal;
    const std::vector<checks::Finding>& findings;
};

// `after` must be indexed (Project::index_unless_built()).
Workbook results_workbook(const Project& after, const RunReport& run);

}  // namespace qxhost::sheets

#endif
