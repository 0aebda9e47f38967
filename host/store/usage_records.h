// The results database of a run as the store reads it: the usage records
// that the module writes for each item, one value slot per utility.
#ifndef QXHOST_STORE_USAGE_RECORDS_H
#define QXHOST_STORE_USAGE_RECORDS_H

#include <string_view>
#include <vector>

#include <SQLiteCpp/Database.h>

#include "host/project_model.h"
#include "store/store.h"

namespace qxhost::store {

inline constexpr std::string_view results_database = "UTILRES0";
inline constexpr std::string_view cost_per_hour_slot = "COST PER HOUR";
inline constexpr std::string_view utility_name_slot = "UTILITY NAME";

// Adds one run_item row per item and utility of the usage records `after`
// holds, in the registry's order, with the cost per hour `costs` gives
// them last (NULL when the run gave none).
void write_run_items(SQLite::Database& db, long run, const Project& after, const std::vector<UsageCost>& costs);

}  // namespace qxhost::store

#endif
