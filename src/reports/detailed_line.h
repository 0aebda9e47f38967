// The 23-column line of the detailed report and its heading texts.
#ifndef TOVEX_REPORTS_DETAILED_LINE_H
#define TOVEX_REPORTS_DETAILED_LINE_H

#include <string>

namespace tovex {

inline constexpr const char* detailed_title = "\n\n\n\"Utility Information\"\n\n\n";
inline constexpr const char* detailed_column_heading =
    "\"Description\",\"Fluid\",\"Item\",\"Item Description\",\"Rate\",\"Units\",\"Rate Units\","
    "\"Cost per Hour\",\"Operating Pressure\",\"Pressure Units\",\"Operating Temperature\","
    "\"Temperature Units\",\"Design Pressure\",\"Pressure Units\",\"Design Temperature\","
    "\"Temperature Units\",\"Stream Name\",\"Area ID\",\"Report Group ID\",\"Inlet Temperature\","
    "\"Temperature Units\",\"Exit Temperature\",\"Temperature Units\"";

// "\n\n\"Project:<scenario>\"\n\n".
std::string compose_project_line(const std::string& scenario_name);

// The columns of one line. The pressure units fill columns 10 and 14, the
// temperature units columns 12, 16, 21 and 23. The number texts (operating
// pressure and temperature, design pressure and temperature, inlet and exit
// temperature) are printed by the caller and empty on electricity lines.
struct detailed_line {
    std::string description;
    std::string fluid;
    std::string item;
    std::string item_description;
    double rate = 0.0;
    std::string units;
    std::string rate_units;
    double cost_per_hour = 0.0;
    std::string operating_pressure;
    std::string pressure_units;
    std::string operating_temperature;
    std::string temperature_units;
    std::string design_pressure;
    std::string design_temperature;
    std::string stream_name;
    std::string area_id;
    std::string report_group_id;
    std::string inlet_temperature;
    std::string exit_temperature;
};

// The line without its line feed, which is written on its own.
std::string compose_detailed_line(const detailed_line& line);

}  // namespace tovex

#endif
