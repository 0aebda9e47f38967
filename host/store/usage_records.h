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

// Keeps run `run`'s items: one element of run_items per item and utility of
// the usage records `after` holds, in the registry's order, with the cost
// per hour of its line in the detailed report (null when it has none).
void write_run_items(SQLite::Database& db, long run, const Project& after);

}  // namespace qxhost::store

#endif
