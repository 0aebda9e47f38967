#include "reports/priced_utilities.h"

#include <optional>

#include "common/host_ptr.h"
#include "common/text.h"
#include "host/projmodel.h"
#include "reports/fuel_unit_cost.h"

namespace tovex {

namespace {

// Fuel is priced by the operating unit costs, not by a configuration entry;
// its units are shown as stored. False when the project has no Fuel price.
bool read_fuel_properties(std::uint32_t instance, utility_properties& properties)
{
    const std::optional<fuel_unit_cost> unit_cost = read_fuel_unit_cost(instance);
    if (!unit_cost) return false;
    properties.unit_cost = unit_cost->value;
    // Fuel's priced unit is its units text as stored, not cut.
    properties.priced_unit = unit_cost->units;
    return true;
}

// The columns that every line of the utility shares. Fuel has no entry and
// so no temperatures or pressures to print.
detailed_line utility_columns(const std::string& utility, const utility_properties& properties, bool from_entry)
{
    detailed_line line;
    line.description = utility;
    line.fluid = properties.fluid;
    line.units = properties.priced_unit;
    line.pressure_units = properties.pressure_units;
    line.temperature_units = properties.temperature_units;
    if (from_entry) {
        line.operating_pressure = fixed6(properties.pressure);
        line.operating_temperature = fixed6(properties.operating_temperature);
        line.design_pressure = fixed6(properties.design_pressure);
        line.design_temperature = fixed6(properties.design_temperature);
        line.inlet_temperature = fixed6(properties.inlet_temperature);
        line.exit_temperature = fixed6(properties.exit_temperature);
    }
    return line;
}

}  // namespace

std::vector<priced_utility> price_utilities(CqxProjectStreamsConfig& config, const CStrList& utilities,
                                            std::uint32_t instance)
{
    std::vector<priced_utility> priced;
    for (int u = 0; u < utilities.GetLength(); ++u) {
        const char* name = utilities.GetTextAt(u, nullptr);
        if (name == nullptr) continue;
        priced_utility utility;
        utility.name = name;
        const bool is_fuel = equals_nocase(name, "Fuel");
        if (is_fuel) {
            if (!read_fuel_properties(instance, utility.properties)) continue;
        } else {
            const host_ptr<CqxProjectConfig> entry = adopt(config.InstantiateEntry(name));
            if (!entry || !entry->IsValid()) continue;
            read_utility_entry_properties(*entry, utility.properties);
        }
        if (utility.properties.unit_cost == 0.0) continue;
        utility.columns = utility_columns(name, utility.properties, !is_fuel);
        priced.push_back(std::move(utility));
    }
    return priced;
}

}  // namespace tovex
