#include "reports/cooling_water.h"

#include "host/textkit.h"

namespace tovex {

bool shown_as_cooling_water(std::string_view name, std::string_view fluid, double inlet, double exit)
{
    return name.starts_with("HM-UTIL") && fluid.starts_with("Water") && exit > inlet;
}

std::optional<std::string> cooling_water_mass_unit(std::string_view name, std::string_view fluid,
                                                   std::string_view rate_units, double energy_per_mass,
                                                   std::string_view energy_units)
{
    const bool btu_duty = rate_units.starts_with("BTU/H");
    const bool kj_duty = rate_units.starts_with("KJ/H");
    if (!name.starts_with(cooling_water_name) || !fluid.starts_with("Water") || !(btu_duty || kj_duty))
        return std::nullopt;
    if (!(energy_per_mass > 0.0) || energy_units.empty()) return std::nullopt;

    std::string trimmed(energy_units);
    text_remove_initial_and_trailing_blanks(trimmed);
    // The duty and the energy per mass must share their energy unit, or the
    // quotient would be no mass at all.
    if (!(btu_duty && trimmed.starts_with("BTU")) && !(kj_duty && trimmed.starts_with("KJ")))
        return std::nullopt;
    const std::size_t slash = trimmed.find('/');
    return slash == std::string::npos ? std::string() : trimmed.substr(slash + 1);
}

}  // namespace tovex
