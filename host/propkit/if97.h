// Water by the IAPWS Industrial Formulation 1997: region 1 (the liquid) and
// region 4 (the saturation line). Quantities in the units of the release:
// temperature [K], pressure [MPa], specific volume [m3/kg], specific
// enthalpy [kJ/kg], speed of sound [m/s].
#ifndef QXHOST_IF97_H
#define QXHOST_IF97_H

namespace qxhost::if97 {

// Range of region 1: 273.15 K <= T <= 623.15 K, p_sat(T) <= p <= 100 MPa.
constexpr double region1_min_temperature = 273.15;  // [K]
constexpr double region1_max_temperature = 623.15;  // [K]
constexpr double region1_max_pressure = 100.0;      // [MPa]

// Range of region 4: from the triple point to the critical point.
constexpr double triple_point_pressure = 611.213e-6;  // [MPa]
constexpr double critical_temperature = 647.096;      // [K]
constexpr double critical_pressure = 22.064;          // [MPa]

struct Region1State {
    double specific_volume;  // [m3/kg]
    double enthalpy;         // [kJ/kg]
    double speed_of_sound;   // [m/s]
};

// Region 1 at temperature [K] and pressure [MPa]; the caller keeps to its range.
Region1State region1(double temperature, double pressure);

// The saturation pressure [MPa] at a temperature [K] of 273.15 K to 647.096 K.
double saturation_pressure(double temperature);

// The saturation temperature [K] at a pressure [MPa] of 611.213 Pa to 22.064 MPa.
double saturation_temperature(double pressure);

}  // namespace qxhost::if97

#endif
