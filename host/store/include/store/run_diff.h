// What changed from one run to another: the utilities' rates and costs,
// the total per period, each item's usage and cost, and, when the project
// was replaced between them, the inputs that differ.
#ifndef QXHOST_STORE_RUN_DIFF_H
#define QXHOST_STORE_RUN_DIFF_H

#include <optional>
#include <string>
#include <vector>

#include <SQLiteCpp/Database.h>

#include "store/store.h"

namespace qxhost::store {

// A number in each run; absent where the row is missing or the number is
// not a number.
struct NumberPair {
    std::optional<double> a;
    std::optional<double> b;
};

struct UtilityDiff {
    std::string utility;
    bool in_a = false;
    bool in_b = false;
    NumberPair rate;
    std::string rate_units_a, rate_units_b;
    NumberPair cost_per_hour;
    bool in_total = false;  // its cost is part of the total per period
};

struct ItemDiff {
    std::string item;
    std::string utility;
    bool in_a = false;
    bool in_b = false;
    NumberPair amount;
    std::string units_a, units_b;
    NumberPair cost_per_hour;
};

// An input as each revision holds it, shown as text; absent where it has none.
struct InputDiff {
    std::string place;  // "entry Cooling Water / Unit Cost", "OP / Operating Unit Costs / Fuel", ...
    std::optional<std::string> a;
    std::optional<std::string> b;
};

struct RunDiff {
    RunSummary a;
    RunSummary b;
    NumberPair total_per_period;
    // Every utility's cost, Electricity and Fuel included, per hour and per
    // period.
    NumberPair all_per_hour;
    NumberPair all_per_period;
    // Whether each run kept its items' usage (runs that wrote usage records).
    bool items_a = false;
    bool items_b = false;
    std::vector<UtilityDiff> utilities;
    std::vector<ItemDiff> items;
    std::vector<InputDiff> inputs;  // only when the runs ran on different revisions
};

// How much the number changed from `a` to `b`: there only where both runs
// have it, in the same units.
std::optional<double> change(const NumberPair& pair, bool same_units = true);

// Run `a` against run `b` (Store::diff, inside its error translation).
RunDiff diff_runs(SQLite::Database& db, const RunSummary& a, const RunSummary& b, bool all);

}  // namespace qxhost::store

#endif
