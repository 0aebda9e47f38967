// The DA files' view of cooling water: a water utility named "HM-UTIL..."
// that leaves hotter than it came in is shown as "Cooling Water", and cooling
// water whose rate is a heat duty is shown as a mass rate.
#ifndef TOVEX_REPORTS_COOLING_WATER_H
#define TOVEX_REPORTS_COOLING_WATER_H

#include <optional>
#include <string>
#include <string_view>

namespace tovex {

inline constexpr const char* cooling_water_name = "Cooling Water";

// True when a utility of that name and fluid, warming from `inlet` to `exit`,
// is shown as cooling water.
bool shown_as_cooling_water(std::string_view name, std::string_view fluid, double inlet, double exit);

// The mass unit in which a cooling water duty of `rate_units` is shown, given
// the utility's energy per unit mass and its units ("KJ/KG": the mass unit
// "KG", which may be empty); nothing when the duty stays as it is.
std::optional<std::string> cooling_water_mass_unit(std::string_view name, std::string_view fluid,
                                                   std::string_view rate_units, double energy_per_mass,
                                                   std::string_view energy_units);

}  // namespace tovex

#endif
