// propkit_calc_tot_mass_density: a stream's "TOTAL MASS DENSITY" from its
// fluid, temperature and pressure, when the stream does not hold one.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "host/projmodel.h"
#include "host/propkit.h"
#include "host/textkit.h"
#include "host/unitkit.h"
#include "propkit/fluid_density.h"

namespace {

constexpr std::string_view density_slot = "TOTAL MASS DENSITY";

// What the stream carries, as far as its density goes.
struct Fluid {
    bool water = false;
    double molar_mass = 0.0;  // gases [g/mol]
};

bool begins_with_ignoring_case(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(text[k]) != lower(prefix[k])) return false;
    }
    return true;
}

// Water and air by the name of the fluid; any other fluid (a stream without
// "FLUID" included) only by a positive "MOLECULAR WEIGHT" [g/mol].
std::optional<Fluid> read_fluid(CqxStream& stream)
{
    std::string name;
    stream.GetValueWithInheritance("FLUID", name, nullptr);
    if (begins_with_ignoring_case(name, "Water")) return Fluid{true, qxhost::fluids::water_molar_mass};
    if (begins_with_ignoring_case(name, "Air")) return Fluid{false, qxhost::fluids::air_molar_mass};

    double molar_mass = 0.0;
    std::string units;
    if (!stream.GetValueWithInheritance("MOLECULAR WEIGHT", molar_mass, units, nullptr)) return std::nullopt;
    if (!(molar_mass > 0.0) || !std::isfinite(molar_mass)) return std::nullopt;
    return Fluid{false, molar_mass};
}

// A state variable of the stream as it was given (or defaulted), and
// converted to the units the property routines take; `converted` is empty
// when its units are not known (the failure is among the host's warnings).
struct State {
    double given = 0.0;
    std::string given_units;
    std::optional<double> converted;

    std::string text() const
    {
        std::string text;
        compiler_float_to_string(given, text);
        if (!given_units.empty()) text.append(" ").append(given_units);
        return text;
    }
};

// The slot's number, or the default when the stream has no such slot.
State read_state(CqxStream& stream, std::string_view slot, double default_value, std::string_view default_units,
                 std::string_view units)
{
    State state{default_value, std::string(default_units), std::nullopt};
    if (!stream.GetValueWithInheritance(slot, state.given, state.given_units, nullptr)) {
        state.given = default_value;
        state.given_units = default_units;
    }
    // The store names only reads with units; a value without them must not be
    // blamed on an earlier read.
    std::string& source = unitkit_source_text();
    source = stream.ObjectName();
    source.append(" / ").append(slot);
    double converted = 0.0;
    if (units_adjust(state.given_units, units, &state.given, &converted, nullptr, "", "b") != 0)
        state.converted = converted;
    return state;
}

// Tells the user why the stream gets no density, so that a volume rate of 0
// does not pass unexplained.
void warn_no_density(CqxStream& stream, const State& temperature, const State& pressure, std::string_view why)
{
    std::string note = "no mass density at ";
    note.append(temperature.text()).append(" and ").append(pressure.text()).append(": ").append(why);
    unitkit_warn(stream.ObjectName(), note);
}

}  // namespace

int propkit_calc_tot_mass_density(CqxStream* stream)
{
    if (stream == nullptr) return 0;
    try {
        double held = 0.0;
        std::string held_units;
        if (stream->GetValueWithInheritance(density_slot, held, held_units, nullptr)) return 1;

        const std::optional<Fluid> fluid = read_fluid(*stream);
        if (!fluid) return 0;
        const State temperature = read_state(*stream, "TEMPERATURE", 60.0, "DEG F", "K");
        const State pressure = read_state(*stream, "PRESSURE", 14.696, "PSIA", "MPA");
        if (!temperature.converted || !pressure.converted) {
            warn_no_density(*stream, temperature, pressure, "the temperature or pressure units are not known");
            return 0;
        }
        const double kelvin = *temperature.converted;
        const double megapascal = *pressure.converted;

        const std::optional<double> density =
            fluid->water ? qxhost::fluids::water_density(kelvin, megapascal)
                         : qxhost::fluids::ideal_gas_density(kelvin, megapascal, fluid->molar_mass);
        if (!density) {
            const bool usable = kelvin > 0.0 && megapascal > 0.0 && std::isfinite(kelvin) && std::isfinite(megapascal);
            if (usable && fluid->water) {
                warn_no_density(*stream, temperature, pressure,
                                "liquid water outside IAPWS-IF97 region 1 (273.15 K to 623.15 K, at most 100 MPa)");
            } else {
                warn_no_density(*stream, temperature, pressure, "the temperature and pressure must be positive and finite");
            }
            return 0;
        }

        double density_pcf = 0.0;  // [PCF]
        if (units_adjust("KG/M3", "PCF", &*density, &density_pcf, nullptr, "", "b") == 0) return 0;
        return stream->SetValue(density_slot, density_pcf, "PCF", 0) != 0 ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
