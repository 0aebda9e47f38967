// The findings of a run, kept with it: a row each, in their order.
#ifndef QXHOST_STORE_RUN_FINDINGS_H
#define QXHOST_STORE_RUN_FINDINGS_H

#include <span>
#include <vector>

#include <SQLiteCpp/Database.h>

#include "checks/findings.h"

namespace qxhost::store {

void write_run_findings(SQLite::Database& db, long run, std::span<const checks::Finding> findings);
std::vector<checks::Finding> read_run_findings(SQLite::Database& db, long run);

}  // namespace qxhost::store

#endif
