// What a store holds, as the command prints it in JSON: the list of runs and
// the changes from one run to another.
#ifndef QXHOST_STORE_STORE_JSON_H
#define QXHOST_STORE_STORE_JSON_H

#include <optional>
#include <string>
#include <vector>

#include "store/run_diff.h"
#include "store/store.h"

namespace qxhost::store {

// What was run, as the runs list shows it: "full", "reduced",
// "pass CLASS [--record]".
std::string call_text(const std::string& call, std::optional<int> class_id, std::optional<int> record);

// The runs as one JSON array, ended by a line feed.
std::string runs_json(const std::vector<RunSummary>& runs);

// {"from", "to", "utilities", "total_per_period", "items_kept", "items",
// "inputs"}, ended by a line feed; every compared number as {"from", "to",
// "change"}, null where a run has none.
std::string diff_json(const RunDiff& diff);

}  // namespace qxhost::store

#endif
