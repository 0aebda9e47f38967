#include "reports/cooling_water.h"

#include <optional>

#include "host/textkit.h"

namespace tovex {

namespace {

constexpr const char* cooling_water_name = "Cooling Water";

bool shown_as_cooling_water(std::string_view name, const water_facts& facts)
{
    return name.starts_with("HM-UTIL") && facts.fluid.starts_with("Water") &&
           facts.exit_temperature > facts.inlet_temperature;
}

// The mass unit in which a cooling water duty of `rate_units` is shown (it
// may be empty); nothing when the duty stays as it is.
std::optional<std::string> cooling_water_mass_unit(std::string_view name, std::string_view rate_units,
                                                   const water_facts& facts)
{
    const bool btu_duty = rate_units.starts_with("BTU/H");
    const bool kj_duty = rate_units.starts_with("KJ/H");
    if (!name.starts_with(cooling_water_name) || !facts.fluid.starts_with("Water") || !(btu_duty || kj_duty))
        return std::nullopt;
    if (!(facts.energy_per_mass > 0.0) || facts.energy_units.empty()) return std::nullopt;

    std::string trimmed(facts.energy_units);
    text_remove_initial_and_trailing_blanks(trimmed);
    // The duty and the energy per mass must share their energy unit, or the
    // quotient would be no mass at all.
    if (!(btu_duty && trimmed.starts_with("BTU")) && !(kj_duty && trimmed.starts_with("KJ")))
        return std::nullopt;
    const std::size_t slash = trimmed.find('/');
    return slash == std::string::npos ? std::string() : trimmed.substr(slash + 1);
}

}  // namespace

bool show_cooling_water_view(const water_facts& facts, shown_columns line)
{
    bool changed = false;
    if (shown_as_cooling_water(line.description, facts)) {
        changed = line.description != cooling_water_name;
        line.description = cooling_water_name;
    }
    const auto mass_unit = cooling_water_mass_unit(line.description, line.rate_units, facts);
    if (!mass_unit) return changed;
    line.rate /= facts.energy_per_mass;
    line.rate_units = *mass_unit + "/H";
    line.units = *mass_unit;
    return true;
}

}  // namespace tovex
