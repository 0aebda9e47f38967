// Unit conversion as the module makes it.
#ifndef TOVEX_COMMON_UNITS_H
#define TOVEX_COMMON_UNITS_H

#include <string>
#include <string_view>

#include "host/unitkit.h"

namespace tovex {

// out = in converted from `from` to `to` (`in` and `out` may be the same
// variable). The result is not tested: a failed conversion leaves `out` as
// it was and is reported by the host as a warning.
inline void convert_units(std::string_view from, std::string_view to, const double& in, double& out)
{
    std::string message;
    units_adjust(from, to, &in, &out, &message, "", "b");
}

inline void convert_units(std::string_view from, std::string_view to, double& value)
{
    convert_units(from, to, value, value);
}

}  // namespace tovex

#endif
