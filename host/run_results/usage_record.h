// Reading a usage record of the results database by the names the module
// writes it under.
#ifndef QXHOST_RUN_RESULTS_USAGE_RECORD_H
#define QXHOST_RUN_RESULTS_USAGE_RECORD_H

#include <string_view>

#include "tovex/results_layout.h"

namespace qxhost::run_results {

// The item a record is of: its name less the prefix ("" for the record of
// the streams without an item).
inline std::string_view item_of(std::string_view record)
{
    for (std::string_view prefix : {tovex::layout::utility_record_prefix, tovex::layout::electricity_record_prefix})
        if (record.starts_with(prefix)) return record.substr(prefix.size());
    return record;
}

// The slots every record has beside its utilities' amounts and streams.
inline bool is_fixed_slot(std::string_view slot)
{
    namespace layout = tovex::layout;
    return slot == layout::description_slot || slot == layout::cost_per_hour_slot || slot == layout::utility_name_slot;
}

}  // namespace qxhost::run_results

#endif
