// The units in which the duty balance works and posts its duties.
#ifndef TOVEX_RATES_DUTY_UNITS_H
#define TOVEX_RATES_DUTY_UNITS_H

#include <string_view>

namespace tovex {

// English units only for unit system 0; the balance takes every other unit
// system as metric, unlike the rate routes, which need exactly 1.
inline std::string_view duty_units_for(int unit_system)
{
    return unit_system == 0 ? std::string_view("BTU/H") : std::string_view("KJ/H");
}

}  // namespace tovex

#endif
