#include "reports/utility_properties.h"

#include "host/projmodel.h"
#include "reports/priced_unit.h"

namespace tovex {

int read_utility_entry_properties(CqxProjectConfig& entry, utility_properties& properties)
{
    // The units that came with a number, used where the entry has no units
    // slot of its own.
    std::string scratch_units;

    entry.GetValue("Fluid", properties.fluid);

    entry.GetValue("Inlet temperature", properties.inlet_temperature, scratch_units);
    entry.GetValue("Exit temperature", properties.exit_temperature, scratch_units);
    properties.operating_temperature = properties.inlet_temperature > properties.exit_temperature
                                           ? properties.inlet_temperature
                                           : properties.exit_temperature;
    if (!entry.GetValue("Temperature units", properties.temperature_units))
        properties.temperature_units = scratch_units;

    scratch_units.clear();
    entry.GetValue("Pressure", properties.pressure, scratch_units);
    if (!entry.GetValue("Pressure units", properties.pressure_units)) properties.pressure_units = scratch_units;

    std::string unused_units;
    entry.GetValue("Design Pressure", properties.design_pressure, unused_units);
    entry.GetValue("Design Temperature", properties.design_temperature, unused_units);

    scratch_units.clear();
    entry.GetValue("Energy transfer per unit mass", properties.energy_per_mass, scratch_units);
    if (scratch_units.empty()) entry.GetValue("Energy units", scratch_units);
    properties.energy_units = scratch_units;

    entry.GetValue("Unit Cost", properties.unit_cost, unused_units);
    std::string unit_cost_units;
    entry.GetValue("Unit Cost Units", unit_cost_units);
    properties.priced_unit = detail_priced_unit(unit_cost_units);
    return 1;
}

}  // namespace tovex
