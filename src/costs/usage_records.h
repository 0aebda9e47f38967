// The usage records of the results database UTILRES0: per equipment item, how
// much of which utility it uses and through which stream.
#ifndef TOVEX_COSTS_USAGE_RECORDS_H
#define TOVEX_COSTS_USAGE_RECORDS_H

#include <cstddef>
#include <string>
#include <string_view>

#include "tovex/results_layout.h"

namespace tovex {

using layout::cost_per_hour_slot;
using layout::description_slot;
using layout::electricity_record_prefix;
using layout::record_prefix_length;
using layout::results_database;
using layout::stream_slot_suffix;
using layout::usage_registry;
using layout::utility_name_slot;
using layout::utility_record_prefix;

// The usage record name of an item for a utility: the electricity prefix for
// "Electricity" (letter case ignored), else the utility prefix; then the item.
std::string usage_record_name(std::string_view utility, std::string_view item_name);

// Writes the item's use of the utility into its usage record (created when
// missing) and lists the record in the usage registry. An empty stream name
// writes no "-STREAM" slot. Returns the result of the last slot write, or 0
// when the database or the record cannot be opened.
int record_utility_usage(std::string_view utility, std::string_view value_text,
                         std::string_view item_name, std::string_view item_description,
                         std::string_view stream_name);

}  // namespace tovex

#endif
