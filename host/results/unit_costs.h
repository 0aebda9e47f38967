// The prices a run's reports use, read from the project as the reports read
// them.
#ifndef QXHOST_RESULTS_UNIT_COSTS_H
#define QXHOST_RESULTS_UNIT_COSTS_H

#include <optional>
#include <string>
#include <string_view>

#include "host/project_model.h"

namespace qxhost::results {

// "Fuel" in any letter case: the utility priced from the operating unit
// costs rather than from an entry.
bool is_fuel(std::string_view utility);

struct FuelUnitCost {
    double unit_cost = 0.0;
    std::string units;  // the unit cost units ("$/MMBTU"), empty when none
};
// The last slot named Fuel (any case) of "OP" / "Operating Unit Costs": a
// number with its units, or a list of the number and its units; a text
// prices at 0. None when there is no such slot.
std::optional<FuelUnitCost> fuel_unit_cost(const Project& project);

// An entry's "Unit Cost" (its defaults when it has none), as a number; 0
// when it has none that reads as one.
double entry_unit_cost(const Entry& entry);

// The leading number of the first line of "Electricity" in the operating
// unit costs; 0 when there is none.
double electricity_price(const Project& project);

// The leading number of `text`, as the host reads one (convert_todouble);
// none when it has none.
std::optional<double> leading_number(std::string_view text);

}  // namespace qxhost::results

#endif
