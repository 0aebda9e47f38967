// Mass density of the fluids the host knows, at a temperature [K] and an
// absolute pressure [MPa]. Empty where no density is defined.
#ifndef QXHOST_FLUID_DENSITY_H
#define QXHOST_FLUID_DENSITY_H

#include <optional>

namespace qxhost::fluids {

constexpr double molar_gas_constant = 8.314462618;  // [J/(mol K)]
constexpr double water_molar_mass = 18.01528;       // [g/mol]
constexpr double air_molar_mass = 28.9647;          // [g/mol]

// p M / (R T) [kg/m3] for a molar mass [g/mol]; empty unless temperature,
// pressure and molar mass are positive and finite.
std::optional<double> ideal_gas_density(double temperature, double pressure, double molar_mass);

// Whether water at this state is liquid: at or below the saturation
// temperature; below the triple-point pressure never; above the critical
// pressure, where there is no saturation line, up to 623.15 K.
bool water_is_liquid(double temperature, double pressure);

// Water [kg/m3]: the liquid by IF97 region 1, the vapour as an ideal gas.
// Liquid outside region 1 (below 273.15 K, above 623.15 K or above
// 100 MPa) has no density here.
std::optional<double> water_density(double temperature, double pressure);

}  // namespace qxhost::fluids

#endif
