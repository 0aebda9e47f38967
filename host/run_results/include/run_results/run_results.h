// A run's results as the run itself left them, in the terms of its reports:
// what each utility cost per hour (the summary report's lines), what each
// item used and cost (the detailed report's lines), and the figures around
// them. Nothing here is computed again: the entries' rates and costs are
// those the run wrote onto them, Electricity and Fuel (which no entry
// keeps) are read from the summary report the run wrote, and each item
// line's cost is the one the detailed report printed.
#ifndef QXHOST_RUN_RESULTS_RESULTS_H
#define QXHOST_RUN_RESULTS_RESULTS_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/unitkit.h"
#include "model/project.h"

namespace qxhost::run_results {

// One line of the utility summary: Electricity, each posted utility, Fuel.
struct UtilityLine {
    std::string name;
    std::string fluid;
    std::string rate_text;      // as posted or printed
    std::optional<double> rate;
    std::string rate_units;
    std::string priced_unit;    // the unit the price is quoted per, as the summary prints it
    std::optional<double> cost_per_hour;  // none: the run gave it no cost
    bool in_total = false;      // its cost per hour is part of the total per period
};

// Electricity first when the summary report `summary` (the text of the
// UtilRes.Txt this run wrote; empty when it wrote none) has its line; then
// each cost row that holds a value (the total row aside), priced by its
// utility streams entry or, for Fuel, by the summary's Fuel line.
std::vector<UtilityLine> utility_lines(const Project& after, std::string_view summary);

// The figures around the lines.
struct Totals {
    std::optional<double> per_period;  // the total row's value
    double hours = 8000.0;             // operating hours per period
    bool hours_assumed = true;         // no "INV" object: 8000 h
    std::string currency;              // "Currency Symbol", may be empty
    // Every line's cost per hour, Electricity and Fuel included, which the
    // total per period leaves out; and that times the hours. None when no
    // line has a cost. Summed here, in one place, from the lines the run
    // printed: the run itself keeps no such figure.
    std::optional<double> all_per_hour;
    std::optional<double> all_per_period;
};
Totals totals(const Project& after);
// `totals` with the sums of every line of `utilities`.
void add_all_utilities(Totals& totals, const std::vector<UtilityLine>& utilities);

// One item's usage of one utility, from the results database.
struct ItemUsage {
    std::string item;
    std::string description;
    std::string utility;
    std::optional<double> amount;
    std::string amount_units;
    std::optional<std::string> stream;
    std::optional<double> cost_per_hour;  // none: this run printed no line for it
};
// In the order of the usage registry, each record's utilities in order,
// each with the cost of its line in the detailed report `detailed` (the
// text of the UtilRes2.Txt this run wrote; empty when it wrote none, and
// then no line has a cost).
std::vector<ItemUsage> item_usages(const Project& after, std::string_view detailed);

// Everything a run's report shows.
struct RunResults {
    std::vector<UtilityLine> utilities;
    Totals totals;
    std::vector<ItemUsage> items;
    // The host's warnings of the run itself, taken as it ended: not those
    // that writing its outputs adds later, so that what is kept of a run
    // does not depend on the outputs asked for.
    std::vector<UnitWarning> warnings;
};
// The figures above from the summary report the run wrote, and the items
// from its detailed report (empty when it wrote none) when `detailed` is
// given; the warnings are the host's as they stand now.
RunResults run_results(const Project& after, std::string_view summary, std::optional<std::string_view> detailed);

}  // namespace qxhost::run_results

#endif
