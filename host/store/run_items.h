// Each item's usage of each utility after a run that wrote usage records,
// kept as one JSON array per run (read as rows through the view run_item).
#ifndef QXHOST_STORE_RUN_ITEMS_H
#define QXHOST_STORE_RUN_ITEMS_H

#include <string_view>
#include <span>
#include <vector>

#include <SQLiteCpp/Database.h>

#include "run_results/run_results.h"

namespace qxhost::store {

// Keeps run `run`'s items, in their order, each with the cost per hour of
// its line in the detailed report (null when it has none).
void write_run_items(SQLite::Database& db, long run, std::span<const run_results::ItemUsage> items);

// The items run `run` kept, in their order; none when it kept none.
std::vector<run_results::ItemUsage> read_run_items(SQLite::Database& db, long run);

}  // namespace qxhost::store

#endif
