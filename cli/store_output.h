// What the commands on a store print: the list of runs, and the changes
// from one run to another; each as text or as JSON.
#ifndef TOVEX_CLI_STORE_OUTPUT_H
#define TOVEX_CLI_STORE_OUTPUT_H

#include <optional>
#include <string>
#include <vector>

#include "store/run_diff.h"

namespace tovex_cli {

// What was run, as the runs list shows it: "full", "reduced",
// "pass CLASS [--record]".
std::string call_text(const std::string& call, std::optional<int> class_id, std::optional<int> record);

// One line per run: number, time, what was called, result, total per period.
std::string runs_text(const std::vector<qxhost::store::RunSummary>& runs);
// The same as one JSON array, ended by a line feed.
std::string runs_json(const std::vector<qxhost::store::RunSummary>& runs);

// The runs compared, then the utilities, the total per period, the items
// and the inputs that differ, each as a table; "-" where a run has no value.
std::string diff_text(const qxhost::store::RunDiff& diff);

// {"from", "to", "utilities", "total_per_period", "items_kept", "items",
// "inputs"}, ended by a line feed; every compared number as {"from", "to",
// "change"}, null where a run has none.
std::string diff_json(const qxhost::store::RunDiff& diff);

}  // namespace tovex_cli

#endif
