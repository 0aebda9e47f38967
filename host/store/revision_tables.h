// A project's revision in the store's tables: written whole at an import,
// read back whole into the host's project model.
#ifndef QXHOST_STORE_REVISION_TABLES_H
#define QXHOST_STORE_REVISION_TABLES_H

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>

#include "model/project.h"
#include "store/columns.h"
#include "model/workspace.h"

namespace qxhost::store {

// Adds `project` as a new revision (inside the caller's transaction);
// returns its number.
long write_revision(SQLite::Database& db, const Project& project, const std::string& source,
                    const std::string& imported_utc);

// Adds `rows` in order to `table` ("cost_row" or "run_cost_row"), under
// `key` (the revision or the run).
void write_cost_rows(SQLite::Database& db, const char* table, long key, const std::vector<CostRow>& rows);

// The slot tables a run keeps when it changed them, as packed in run_change.
enum class TableKind : unsigned char { object, object_default, entry, entry_default };

// Stores what run `run` changed: the object and entry slot tables it wrote
// (`writes`; null: every one), and the databases in order, each one that
// is not among `databases_before` or that it wrote whole.
void write_run_changes(SQLite::Database& db, long run, const std::set<std::string, std::less<>>& databases_before,
                       const Project& after, const ProjectWrites* writes);

// The project of revision `revision` as run `run` of it left it (0: as it
// was imported), equal to the one that was written.
std::unique_ptr<Project> read_revision(SQLite::Database& db, long revision, long run);

}  // namespace qxhost::store

#endif
