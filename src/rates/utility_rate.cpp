// Utility rates by route: fuel, the two volumetric utilities, and the cost
// basis (volume, mass, duty) of every other utility's priced units.
#include "rates/utility_rate.h"

#include "common/host_ptr.h"
#include "common/text.h"
#include "common/units.h"
#include "host/critkit.h"
#include "host/projmodel.h"
#include "host/propkit.h"
#include "host/textkit.h"
#include "host/unitkit.h"

namespace tovex {

namespace {

enum cost_basis : int { volume_basis = 1, mass_basis = 2, duty_basis = 3 };

// Reads a number with units (own or inherited) into `value` and converts it
// to `to` when the read gave units; a failed read leaves `value` untouched.
void read_converted(CqxStream* stream, std::string_view slot, std::string_view to, double& value)
{
    std::string units;
    if (stream->GetValueWithInheritance(slot, value, units, nullptr) != 0 && !units.empty())
        convert_units(units, to, value);
}

// Mass flow over mass density, converted from CFH to the target units.
void volume_rate(CqxStream* stream, std::string_view target_units, double& rate)
{
    double mass_flow = 0.0;  // [LB/H]
    double density = 0.0;    // [PCF]
    read_converted(stream, "TOTAL MASS FLOW", "LB/H", mass_flow);
    propkit_calc_tot_mass_density(stream);
    read_converted(stream, "TOTAL MASS DENSITY", "PCF", density);

    // Not-a-number fails both tests, so no division by anything unusable.
    rate = (mass_flow > 0.0 && density > 0.0) ? mass_flow / density : 0.0;  // [CFH]
    convert_units("CFH", target_units, rate);
}

}  // namespace

std::string rate_units_from_cost_units(std::string cost_units)
{
    blank_through_first_slash(cost_units);
    cost_units += "/H";
    text_remove_initial_and_trailing_blanks(cost_units);
    return cost_units;
}

void get_utility_rate(CqxProject* project, CqxStream* stream, CqxProjectStreamsConfig* config,
                      std::string_view utility, double& rate, std::string& rate_units)
{
    if (stream == nullptr) return;
    if (starts_with_nocase(utility, "Fuel")) {
        get_fuel_rate(project, stream, rate, rate_units);
        return;
    }
    if (starts_with_nocase(utility, "Instrument Air") || starts_with_nocase(utility, "Potable Water")) {
        get_volumetric_rate(stream, utility, rate, rate_units);
        return;
    }

    if (config == nullptr) return;
    auto entry = adopt(config->InstantiateEntry(utility));
    if (!entry) return;

    std::string cost_units;
    entry->GetValue("Unit Cost Units", cost_units);
    rate_units = rate_units_from_cost_units(cost_units);

    switch (CqxAppTasks::GetUnitBasis(rate_units, stream->UserInstance())) {
    case volume_basis:
        volume_rate(stream, rate_units, rate);
        break;
    case mass_basis:
        read_converted(stream, "TOTAL MASS FLOW", rate_units, rate);
        break;
    case duty_basis:
        read_converted(stream, "DUTY", rate_units, rate);
        break;
    default:
        break;  // no quantity is taken
    }
}

void get_fuel_rate(CqxProject* project, CqxStream* stream, double& rate, std::string& rate_units)
{
    const char* target_units = units_get_unit_type() == 1 ? "MEGAW" : "MMBTU/H";
    rate_units = target_units;

    // A firing rate given on the stream wins, when it has units to convert.
    double given = 0.0;
    std::string given_units;
    if (stream->GetValueWithInheritance("Rate", given, given_units, nullptr) != 0 && given != 0.0 &&
        !given_units.empty()) {
        convert_units(given_units, target_units, given, rate);
    }
    if (rate != 0.0) return;

    // Otherwise heating value times mass flow, when the project has the
    // configuration that guards the heating value criterion.
    CqxProjectConfig guard(project, 2105, nullptr, 0);
    if (guard.IsValid() == 0) return;

    double heating_value = 0.0;  // [BTU/LB]
    double mass_flow = 0.0;      // [LB/H]
    critkit_get_and_adjust_criteria_n("Heat Exchangers", "Fuel heating value", &heating_value, "BTU/LB");
    read_converted(stream, "TOTAL MASS FLOW", "LB/H", mass_flow);
    if (heating_value == 0.0 || mass_flow == 0.0) return;

    double heat_rate = heating_value * mass_flow;  // [BTU/H]
    if (heat_rate != 0.0) convert_units("BTU/H", target_units, heat_rate, rate);
}

void get_volumetric_rate(CqxStream* stream, std::string_view utility, double& rate, std::string& rate_units)
{
    if (units_get_unit_type() == 1)
        rate_units = "M3/H";
    else
        rate_units = starts_with_nocase(utility, "Instrument Air") ? "KCFH" : "MMGAL/H";
    volume_rate(stream, rate_units, rate);
}

}  // namespace tovex
