// A run's results as the project it left holds them, in the terms of its
// reports: what each utility cost per hour (the summary report's lines),
// what each item used and cost (the detailed report's lines), and the
// figures around them. Read, never computed anew: the rates and costs are
// those the run wrote, and the few the project does not keep (Electricity,
// Fuel, an item's cost of a utility other than its last) are the products
// the reports print, of numbers the project holds.
#ifndef QXHOST_RESULTS_RESULTS_H
#define QXHOST_RESULTS_RESULTS_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/project_model.h"

namespace qxhost::results {

// One line of the utility summary: Electricity (from the load summary),
// each posted utility, Fuel.
struct UtilityLine {
    std::string name;
    std::string fluid;
    std::string rate_text;      // as posted ("" for Electricity: see rate)
    std::optional<double> rate;
    std::string rate_units;
    std::string priced_unit;    // the unit the price is quoted per
    std::optional<double> cost_per_hour;  // none: the run gave it no cost
    bool in_total = false;      // its cost per hour is part of the total per period
};

// Electricity first when the load summary `load_file` (KVT_ELEC.TMP's
// text) gives a total load above 0; then each cost row that holds a value
// (the total row aside), priced from its utility streams entry, or as Fuel.
std::vector<UtilityLine> utility_lines(const Project& after, std::string_view load_file);

// The figures around the lines.
struct Totals {
    std::optional<double> per_period;  // the total row's value
    double hours = 8000.0;             // operating hours per period
    bool hours_assumed = true;         // no "INV" object: 8000 h
    std::string currency;              // "Currency Symbol", may be empty
};
Totals totals(const Project& after);

// One item's usage of one utility, from the results database.
struct ItemUsage {
    std::string item;
    std::string description;
    std::string utility;
    std::optional<double> amount;
    std::string amount_units;
    std::optional<std::string> stream;
    std::optional<double> cost_per_hour;  // none: no line in the detailed report
};
// In the order of the usage registry, each record's utilities in order.
std::vector<ItemUsage> item_usages(const Project& after);

// The price quoted per unit of a unit cost units text ("$/KLB" -> "KLB"),
// as the summary report reduces it.
std::string priced_unit(std::string_view unit_cost_units);

}  // namespace qxhost::results

#endif
