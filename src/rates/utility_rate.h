// A utility stream's rate in the units in which its utility is priced.
#ifndef TOVEX_RATES_UTILITY_RATE_H
#define TOVEX_RATES_UTILITY_RATE_H

#include <string>
#include <string_view>

class CqxProject;
class CqxProjectStreamsConfig;
class CqxStream;

namespace tovex {

// Fills `rate` (the caller sets it to 0) and `rate_units` (empty on entry).
// Three routes by name: Fuel, Instrument Air and Potable Water, and every
// other utility by the cost basis of its priced units.
void get_utility_rate(CqxProject* project, CqxStream* stream, CqxProjectStreamsConfig* config,
                      std::string_view utility, double& rate, std::string& rate_units);
void get_fuel_rate(CqxProject* project, CqxStream* stream, double& rate, std::string& rate_units);
void get_volumetric_rate(CqxStream* stream, std::string_view utility, double& rate, std::string& rate_units);

// The per-hour rate units made from an entry's "Unit Cost Units" text.
std::string rate_units_from_cost_units(std::string cost_units);

}  // namespace tovex

#endif
