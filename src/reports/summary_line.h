// The lines of the summary report and the cost units they end with.
#ifndef TOVEX_REPORTS_SUMMARY_LINE_H
#define TOVEX_REPORTS_SUMMARY_LINE_H

#include <cstdint>
#include <string>

namespace tovex {

inline constexpr const char* summary_title = "\n\n\n\"Utility Information\"\n\n\n";
inline constexpr const char* summary_column_heading =
    "\"Description\",\"Fluid\",\"Rate\",\"Units\",\"Rate Units\",\"Cost per Hour\",\"Cost Units\"";

// One utility's line of the summary.
struct summary_line {
    std::string description;
    std::string fluid;
    double rate = 0.0;
    std::string units;       // the priced unit
    std::string rate_units;
    double cost_per_hour = 0.0;
    std::string cost_units;
};

// An entry or Fuel line, ended by a line feed.
std::string compose_summary_line(const summary_line& line);
// The Electricity line: load and cost of the whole project, Fluid always
// empty.
std::string compose_electricity_summary_line(double total_load_kw, double cost_per_hour,
                                             const std::string& cost_units);

// The project's currency symbol from "STD" followed by "/H"; "/H" alone when
// the project has none.
std::string read_cost_units(std::uint32_t instance);

}  // namespace tovex

#endif
