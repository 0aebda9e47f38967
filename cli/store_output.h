// What the commands on a store print: the list of runs, and the changes
// from one run to another, as text (store_json.h has them as JSON).
#ifndef TOVEX_CLI_STORE_OUTPUT_H
#define TOVEX_CLI_STORE_OUTPUT_H

#include <optional>
#include <string>
#include <vector>

#include "store/run_diff.h"
#include "store/store_json.h"

namespace tovex_cli {

// One line per run: number, time, what was called, result, total per period.
std::string runs_text(const std::vector<qxhost::store::RunSummary>& runs);

// The runs compared, then the utilities, the total per period, the items
// and the inputs that differ, each as a table; "-" where a run has no value.
std::string diff_text(const qxhost::store::RunDiff& diff);

}  // namespace tovex_cli

#endif
