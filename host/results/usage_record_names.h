// How the module names the usage records of the results database and
// their slots.
#ifndef QXHOST_RESULTS_USAGE_RECORD_NAMES_H
#define QXHOST_RESULTS_USAGE_RECORD_NAMES_H

#include <string_view>

namespace qxhost::results {

inline constexpr std::string_view results_database = "UTILRES0";
inline constexpr std::string_view registry_name = "UTIL_USAGE_LIST_OF_OBJECTS";
inline constexpr std::string_view description_slot = "CpItemDescription";
inline constexpr std::string_view cost_per_hour_slot = "COST PER HOUR";
inline constexpr std::string_view utility_name_slot = "UTILITY NAME";
inline constexpr std::string_view stream_suffix = "-STREAM";
// A record is named by one of two prefixes, then the item.
inline constexpr std::string_view record_prefixes[] = {"$$UTILITYOBJECT##", "$$ELECTRCOBJECT##"};

inline std::string_view item_of(std::string_view record)
{
    for (std::string_view prefix : record_prefixes)
        if (record.starts_with(prefix)) return record.substr(prefix.size());
    return record;
}

// The slots every record has beside its utilities' values and streams.
inline bool is_fixed_slot(std::string_view slot)
{
    return slot == description_slot || slot == cost_per_hour_slot || slot == utility_name_slot;
}

}  // namespace qxhost::results

#endif
