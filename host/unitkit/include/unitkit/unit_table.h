// The host's unit codes, for the reference host's own checks (a hint for a
// unit text that the table does not hold); the module never lists them.
#ifndef QXHOST_UNITKIT_UNIT_TABLE_H
#define QXHOST_UNITKIT_UNIT_TABLE_H

#include <string_view>
#include <vector>

#include "host/visibility.h"

// Every code of the table, in its order ("LB", "KLB", ... "ATM").
QXHOST_API std::vector<std::string_view> unitkit_unit_codes();

#endif
