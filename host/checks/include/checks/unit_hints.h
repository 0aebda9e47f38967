// Unit texts as the host's table reads them, and the unit or the name a
// misspelt text most likely meant: for the checks, and for readers that
// refuse a unit or a name they cannot find.
#ifndef QXHOST_CHECKS_UNIT_HINTS_H
#define QXHOST_CHECKS_UNIT_HINTS_H

#include <string>
#include <string_view>
#include <vector>

namespace qxhost::checks {

// True when the host's unit table reads `units` (a code or a quotient).
bool known_units(std::string_view units);

// The unit text of the host's table nearest to `units` that converts to
// `like` (a unit text of the dimension wanted); empty when none is near.
std::string nearest_units(std::string_view units, std::string_view like);

// The name of `candidates` that `text` most likely meant: one that differs
// only in letter case, or by at most two characters; empty when none.
std::string nearest_name(std::string_view text, const std::vector<std::string_view>& candidates);

}  // namespace qxhost::checks

#endif
