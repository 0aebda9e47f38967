// The Fuel unit cost of the operating unit costs, which both the summary's
// Fuel line and the detailed report price Fuel by.
#ifndef TOVEX_REPORTS_FUEL_UNIT_COST_H
#define TOVEX_REPORTS_FUEL_UNIT_COST_H

#include <cstdint>
#include <optional>
#include <string>

class CqxSlot;

namespace tovex {

// Fills `slot` with the "Fuel" slot of "Operating Unit Costs" in "OP"; leaves
// it untouched when there is none.
void get_fuel_unit_cost(std::uint32_t instance, CqxSlot& slot);

// The Fuel unit cost as both reports take it: a number (its units, when it
// has any, are the unit cost units), or a list of a value text and a units
// text; a text gives 0 without units. Empty when there is no Fuel unit cost.
struct fuel_unit_cost {
    double value = 0.0;  // [currency per priced unit]
    std::string units;
};
std::optional<fuel_unit_cost> read_fuel_unit_cost(std::uint32_t instance);

}  // namespace tovex

#endif
