#include "store/journal_rows.h"

#include <SQLiteCpp/Statement.h>

#include "store/columns.h"

namespace qxhost::store {

void write_run_journal(SQLite::Database& db, long run, const run_results::RunJournal& journal)
{
    SQLite::Statement add(db, "INSERT INTO run_journal VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const auto& [utility, entry] : journal) {
        add.bind(1, static_cast<std::int64_t>(run));
        add.bind(2, utility);
        bind_number(add, 3, entry.carried_in);
        add.bind(4, entry.carried_in_units);
        add.bind(5, entry.units);
        add.bind(6, entry.mixed_units ? 1 : 0);
        add.bind(7, static_cast<std::int64_t>(entry.writes));
        bind_number(add, 8, entry.written);
        add.bind(9, static_cast<std::int64_t>(entry.replaced_at_items));
        bind_number(add, 10, entry.replaced_at_items_amount);
        add.bind(11, static_cast<std::int64_t>(entry.replaced_bare));
        bind_number(add, 12, entry.replaced_bare_amount);
        add.exec();
        add.reset();
    }
}

std::optional<run_results::RunJournal> read_run_journal(SQLite::Database& db, long run)
{
    SQLite::Statement query(db, "SELECT * FROM run_journal WHERE run = ?");
    query.bind(1, static_cast<std::int64_t>(run));
    run_results::RunJournal journal;
    while (query.executeStep()) {
        run_results::UtilityJournal& entry = journal[query.getColumn(1).getString()];
        entry.carried_in = number_of(query.getColumn(2));
        entry.carried_in_units = query.getColumn(3).getString();
        entry.units = query.getColumn(4).getString();
        entry.mixed_units = query.getColumn(5).getInt() != 0;
        entry.writes = static_cast<long>(query.getColumn(6).getInt64());
        entry.written = number_of(query.getColumn(7)).value_or(0.0);
        entry.replaced_at_items = static_cast<long>(query.getColumn(8).getInt64());
        entry.replaced_at_items_amount = number_of(query.getColumn(9)).value_or(0.0);
        entry.replaced_bare = static_cast<long>(query.getColumn(10).getInt64());
        entry.replaced_bare_amount = number_of(query.getColumn(11)).value_or(0.0);
    }
    if (journal.empty()) return std::nullopt;
    return journal;
}

}  // namespace qxhost::store
