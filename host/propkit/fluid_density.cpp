// Densities of water and of ideal gases.
#include <cmath>

#include "propkit/fluid_density.h"
#include "propkit/if97.h"

namespace qxhost::fluids {
namespace {

bool positive_and_finite(double value)
{
    return value > 0.0 && std::isfinite(value);
}

}  // namespace

std::optional<double> ideal_gas_density(double temperature, double pressure, double molar_mass)
{
    if (!positive_and_finite(temperature) || !positive_and_finite(pressure) || !positive_and_finite(molar_mass)) {
        return std::nullopt;
    }
    // p [MPa] * M [g/mol] = 1e3 Pa kg/mol
    return pressure * 1e3 * molar_mass / (molar_gas_constant * temperature);
}

bool water_is_liquid(double temperature, double pressure)
{
    if (pressure < if97::triple_point_pressure) return false;
    if (pressure > if97::critical_pressure) return temperature <= if97::region1_max_temperature;
    return temperature <= if97::saturation_temperature(pressure);
}

std::optional<double> water_density(double temperature, double pressure)
{
    if (!positive_and_finite(temperature) || !positive_and_finite(pressure)) return std::nullopt;
    if (!water_is_liquid(temperature, pressure)) {
        return ideal_gas_density(temperature, pressure, water_molar_mass);
    }
    // Region 1 is not extended beyond its range: a number from outside it
    // would be taken for a valid density and priced.
    if (temperature < if97::region1_min_temperature || temperature > if97::region1_max_temperature ||
        pressure > if97::region1_max_pressure) {
        return std::nullopt;
    }
    return 1.0 / if97::region1(temperature, pressure).specific_volume;
}

}  // namespace qxhost::fluids
