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

// The duty balance of a simulator type 4 case, as the full run makes it for
// the streams of class 3005: each utility stream's net duty at its item
// (direction IN, OUT or MIX), and per utility the IN, OUT and MIX sums and
// the net duty posted. The run keeps none of these sums, so they are made
// again here from the same streams, connections and duties, by the same
// rules; the page sets the net duty beside what was posted.
struct DutyStream {
    std::string stream;     // its object name
    std::string item;       // "" when it has none
    std::string utility;
    double duty = 0.0;      // the absolute net duty, as the balance line prints it
    std::string direction;  // "IN", "OUT" or "MIX"
};
struct DutyBalance {
    std::string utility;
    double in = 0.0, out = 0.0, mix = 0.0;
    double net = 0.0;       // as posted: mix - (in + out) when mix is not 0, else in + out
};
struct DutyBalances {
    std::string units;      // "BTU/H" or "KJ/H"
    std::vector<DutyStream> streams;
    std::vector<DutyBalance> utilities;  // by name, in byte order
};
// None unless the simulation case is of simulator type 4.
std::optional<DutyBalances> duty_balances(const Project& after);

// A slot as the inheriting getters find it: the object's or entry's own,
// else its default; null when neither has it.
const Value* inherited(const SlotTable& slots, const SlotTable& defaults, std::string_view slot);

// The price quoted per unit of a unit cost units text ("$/KLB" -> "KLB"),
// as the summary report reduces it.
std::string priced_unit(std::string_view unit_cost_units);

}  // namespace qxhost::results

#endif
