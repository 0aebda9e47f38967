// What the detailed report prints about a utility besides its usage: fluid,
// temperatures, pressures, energy per unit mass and price.
#ifndef TOVEX_REPORTS_UTILITY_PROPERTIES_H
#define TOVEX_REPORTS_UTILITY_PROPERTIES_H

#include <string>

class CqxProjectConfig;

namespace tovex {

// The start values mark what the utility's entry does not give: -1000 for a
// temperature, 0 for the rest.
struct utility_properties {
    std::string fluid;
    double inlet_temperature = -1000.0;
    double exit_temperature = -1000.0;
    double operating_temperature = -1000.0;  // the larger of inlet and exit
    std::string temperature_units;
    double pressure = 0.0;
    std::string pressure_units;
    double design_pressure = 0.0;
    double design_temperature = 0.0;
    double energy_per_mass = 0.0;
    std::string energy_units;  // e.g. "KJ/KG"
    double unit_cost = 0.0;    // [currency per priced unit]
    std::string priced_unit;
};

// Reads the properties of a utility streams configuration entry over the
// start values in `properties`; a slot the entry lacks keeps its start value.
// Always 1.
int read_utility_entry_properties(CqxProjectConfig& entry, utility_properties& properties);

}  // namespace tovex

#endif
