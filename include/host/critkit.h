// critkit: design criteria of the project.
#ifndef HOST_CRITKIT_H
#define HOST_CRITKIT_H

#include <string_view>

#include "host/visibility.h"

// *value = the numeric design criterion `criterion` of the group `group`,
// converted to `units`. Returns 1 when found and converted; otherwise 0 and
// *value is left unchanged.
QXHOST_API int critkit_get_and_adjust_criteria_n(std::string_view group, std::string_view criterion,
                                                 double* value, std::string_view units);

#endif
