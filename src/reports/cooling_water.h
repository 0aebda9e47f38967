// The DA files' view of cooling water: a water utility named "HM-UTIL..."
// that leaves hotter than it came in is shown as "Cooling Water", and cooling
// water whose rate is a heat duty is shown as a mass rate. The summary and
// the detailed report both show their DA lines so.
#ifndef TOVEX_REPORTS_COOLING_WATER_H
#define TOVEX_REPORTS_COOLING_WATER_H

#include <string>
#include <string_view>

namespace tovex {

// What the view depends on besides the line: the utility's fluid, its
// temperatures and its energy per unit mass ("KJ/KG" gives the mass unit
// "KG").
struct water_facts {
    std::string_view fluid;
    double inlet_temperature = 0.0;
    double exit_temperature = 0.0;
    double energy_per_mass = 0.0;
    std::string_view energy_units;
};

// The columns of a line that the view may change.
struct shown_columns {
    std::string& description;
    double& rate;
    std::string& units;       // the priced unit
    std::string& rate_units;
};

// Turns a line's columns into the DA file's. True when any of them changed;
// the cost per hour is never converted.
bool show_cooling_water_view(const water_facts& facts, shown_columns line);

}  // namespace tovex

#endif
