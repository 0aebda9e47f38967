// The utilities that the detailed report's utility pass gives lines: those
// with a price, each with the columns that all its lines share.
#ifndef TOVEX_REPORTS_PRICED_UTILITIES_H
#define TOVEX_REPORTS_PRICED_UTILITIES_H

#include <cstdint>
#include <vector>

#include "host/listkit.h"
#include "reports/detailed_line.h"
#include "reports/utility_properties.h"

class CqxProjectStreamsConfig;

namespace tovex {

struct priced_utility {
    const char* name = nullptr;  // held by the list the utilities came from
    utility_properties properties;
    detailed_line columns;
};

// The utilities of `utilities` (the configuration's entry names, then Fuel)
// that have a price, in that order: a utility without a valid entry, Fuel
// without a unit cost, and one that costs nothing have no lines.
std::vector<priced_utility> price_utilities(CqxProjectStreamsConfig& config, const CStrList& utilities,
                                            std::uint32_t instance);

}  // namespace tovex

#endif
