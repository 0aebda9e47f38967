// A run's journal (results/run_journal.h) as rows of run_journal.
#ifndef QXHOST_STORE_JOURNAL_ROWS_H
#define QXHOST_STORE_JOURNAL_ROWS_H

#include <optional>

#include <SQLiteCpp/Database.h>

#include "run_results/run_journal.h"

namespace qxhost::store {

void write_run_journal(SQLite::Database& db, long run, const run_results::RunJournal& journal);
// None when the run has no rows: it was kept before stores had journals.
std::optional<run_results::RunJournal> read_run_journal(SQLite::Database& db, long run);

}  // namespace qxhost::store

#endif
