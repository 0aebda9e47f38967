// The table of unit codes. Every factor is built from the defining values
// below, so each code is defined exactly once and a conversion between two
// codes is the ratio of their factors.
#include <string_view>
#include <unordered_map>

#include "unitkit/unit_definitions.h"
#include "unitkit/unit_table.h"

namespace qxhost::units {
namespace {

// Defining values, exact by international agreement.
constexpr double pound = 0.45359237;           // international pound [kg]
constexpr double foot = 0.3048;                // international foot [m]
constexpr double inch = 0.0254;                // [m]
constexpr double gallon = 231.0 * inch * inch * inch;  // US gallon, 231 in3 [m3]
constexpr double btu = 1055.05585262;          // International Table Btu [J]
constexpr double calorie = 4.1868;             // International Table calorie [J]
constexpr double standard_gravity = 9.80665;   // [m/s2]
constexpr double minute = 60.0;                // [s]
constexpr double hour = 3600.0;                // [s]
constexpr double day = 86400.0;                // [s]
constexpr double year = 365.0 * day;           // [s]
constexpr double standard_atmosphere = 101325.0;  // [Pa]

constexpr double cubic_foot = foot * foot * foot;                     // [m3]
constexpr double pound_force = pound * standard_gravity;              // [N]
constexpr double psi = pound_force / (inch * inch);                   // [Pa]
constexpr double horsepower = 550.0 * foot * pound_force;             // 550 ft lbf/s [W]
constexpr double barrel = 42.0 * gallon;                              // [m3]
constexpr double rankine = 5.0 / 9.0;                                 // [K]

// Offsets of the shifted scales, in the scale's own unit.
constexpr double celsius_zero = 273.15;      // [K]
constexpr double fahrenheit_zero = 459.67;   // [DEG R]
constexpr double psig_zero = 14.696;         // atmosphere of the gauge [psi]
constexpr double barg_zero = 1.01325;        // atmosphere of the gauge [bar]

constexpr Dimension mass{1, 0, 0, 0};
constexpr Dimension volume{0, 3, 0, 0};
constexpr Dimension energy{1, 2, -2, 0};
constexpr Dimension time{0, 0, 1, 0};
constexpr Dimension power{1, 2, -3, 0};
constexpr Dimension volume_flow{0, 3, -1, 0};
constexpr Dimension density{1, -3, 0, 0};
constexpr Dimension temperature{0, 0, 0, 1};
constexpr Dimension pressure{1, -1, -2, 0};

struct CodeEntry {
    std::string_view code;
    Unit unit;
};

constexpr CodeEntry code_table[] = {
    // mass [kg]
    {"LB", {mass, pound}},
    {"KLB", {mass, 1e3 * pound}},
    {"MLB", {mass, 1e3 * pound}},
    {"MMLB", {mass, 1e6 * pound}},
    {"KG", {mass, 1.0}},
    {"T", {mass, 1e3}},
    {"G", {mass, 1e-3}},
    // volume [m3]
    {"CF", {volume, cubic_foot}},
    {"FT3", {volume, cubic_foot}},
    {"KCF", {volume, 1e3 * cubic_foot}},
    {"MCF", {volume, 1e3 * cubic_foot}},
    {"MMCF", {volume, 1e6 * cubic_foot}},
    {"M3", {volume, 1.0}},
    {"L", {volume, 1e-3}},
    {"GAL", {volume, gallon}},
    {"KGAL", {volume, 1e3 * gallon}},
    {"MGAL", {volume, 1e3 * gallon}},
    {"MMGAL", {volume, 1e6 * gallon}},
    {"BBL", {volume, barrel}},
    // energy [J]
    {"BTU", {energy, btu}},
    {"KBTU", {energy, 1e3 * btu}},
    {"MBTU", {energy, 1e3 * btu}},
    {"MMBTU", {energy, 1e6 * btu}},
    {"J", {energy, 1.0}},
    {"KJ", {energy, 1e3}},
    {"MJ", {energy, 1e6}},
    {"GJ", {energy, 1e9}},
    {"KCAL", {energy, 1e3 * calorie}},
    {"MMKCAL", {energy, 1e9 * calorie}},
    {"KWH", {energy, 1e3 * hour}},
    {"MWH", {energy, 1e6 * hour}},
    {"THERM", {energy, 1e5 * btu}},
    // time [s]
    {"S", {time, 1.0}},
    {"SEC", {time, 1.0}},
    {"MIN", {time, minute}},
    {"H", {time, hour}},
    {"HR", {time, hour}},
    {"D", {time, day}},
    {"DAY", {time, day}},
    {"Y", {time, year}},
    {"YR", {time, year}},
    // power [W]
    {"W", {power, 1.0}},
    {"KW", {power, 1e3}},
    {"MW", {power, 1e6}},
    {"MEGAW", {power, 1e6}},
    {"GW", {power, 1e9}},
    {"HP", {power, horsepower}},
    // volume flows [m3/s]
    {"CFH", {volume_flow, cubic_foot / hour}},
    {"KCFH", {volume_flow, 1e3 * cubic_foot / hour}},
    {"MCFH", {volume_flow, 1e3 * cubic_foot / hour}},
    {"CFM", {volume_flow, cubic_foot / minute}},
    {"GPM", {volume_flow, gallon / minute}},
    {"GPH", {volume_flow, gallon / hour}},
    // density [kg/m3]
    {"PCF", {density, pound / cubic_foot}},
    // temperature [K]
    {"K", {temperature, 1.0}},
    {"DEG R", {temperature, rankine}},
    {"DEG C", {temperature, 1.0, celsius_zero}},
    {"DEG F", {temperature, rankine, fahrenheit_zero}},
    // pressure [Pa]
    {"PSIA", {pressure, psi}},
    {"PSIG", {pressure, psi, psig_zero}},
    {"KPA", {pressure, 1e3}},
    {"MPA", {pressure, 1e6}},
    {"BAR", {pressure, 1e5}},
    {"BARA", {pressure, 1e5}},
    {"BARG", {pressure, 1e5, barg_zero}},
    {"ATM", {pressure, standard_atmosphere}},
};

}  // namespace

std::optional<Unit> find_unit_code(std::string_view code)
{
    static const std::unordered_map<std::string_view, Unit> index = [] {
        std::unordered_map<std::string_view, Unit> built;
        for (const CodeEntry& entry : code_table) built.emplace(entry.code, entry.unit);
        return built;
    }();
    auto it = index.find(code);
    if (it == index.end()) return std::nullopt;
    return it->second;
}

}  // namespace qxhost::units

std::vector<std::string_view> unitkit_unit_codes()
{
    std::vector<std::string_view> codes;
    for (const auto& entry : qxhost::units::code_table) codes.push_back(entry.code);
    return codes;
}
