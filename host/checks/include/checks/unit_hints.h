// Unit texts as the host's table reads them, and the one a misspelt text
// most likely meant: for the checks, and for readers that refuse a unit
// the host cannot read.
#ifndef QXHOST_CHECKS_UNIT_HINTS_H
#define QXHOST_CHECKS_UNIT_HINTS_H

#include <string>
#include <string_view>

namespace qxhost::checks {

// True when the host's unit table reads `units` (a code or a quotient).
bool known_units(std::string_view units);

// The unit text of the host's table nearest to `units` that converts to
// `like` (a unit text of the dimension wanted); empty when none is near.
std::string nearest_units(std::string_view units, std::string_view like);

}  // namespace qxhost::checks

#endif
