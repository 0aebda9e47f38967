// The failed conversions that the host reports as warnings.
#ifndef QXHOST_UNIT_WARNINGS_H
#define QXHOST_UNIT_WARNINGS_H

#include <string_view>

namespace qxhost::units {

// Remembers a failed conversion with the source last noted; the same units
// from the same source are remembered once.
void remember_failure(std::string_view from_units, std::string_view to_units, std::string_view message);

}  // namespace qxhost::units

#endif
