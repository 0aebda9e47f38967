#include "store/schema.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <SQLiteCpp/Transaction.h>

#include "store/store_error.h"

namespace qxhost::store {

namespace {

// "tvx1": tells a store from any other SQLite file.
constexpr int application_id = 0x74767831;

// Numbers are kept in columns without a declared type: a REAL column would
// store a whole number as an integer and lose the sign of -0.0. The checks
// of the tables that take a row per slot are written with OR, not IN: SQLite
// builds a fresh lookup table for an IN list at every insert, which made up
// half the time of storing a large plant.
constexpr const char* schema = R"sql(
CREATE TABLE revision (
    revision             INTEGER PRIMARY KEY,
    imported_utc         TEXT NOT NULL,
    source               TEXT NOT NULL,
    instance             INTEGER NOT NULL,
    name                 TEXT NOT NULL,
    scenario             TEXT NOT NULL,
    unit_system          INTEGER NOT NULL,
    simulation_case      TEXT NOT NULL CHECK (simulation_case IN ('none', 'valid', 'not valid')),
    sim_type             INTEGER NOT NULL,
    utility_streams      TEXT NOT NULL CHECK (utility_streams IN ('none', 'valid', 'not valid')),
    electrical_loads     INTEGER NOT NULL,
    total_kw,
    electrical_load_file BLOB
);
CREATE TABLE configuration (
    revision INTEGER NOT NULL REFERENCES revision,
    position INTEGER NOT NULL,
    class_id INTEGER NOT NULL,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE criteria_group (
    revision INTEGER NOT NULL REFERENCES revision,
    position INTEGER NOT NULL,
    name     TEXT NOT NULL,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE criterion (
    revision       INTEGER NOT NULL REFERENCES revision,
    group_position INTEGER NOT NULL,
    position       INTEGER NOT NULL,
    name           TEXT NOT NULL,
    value,
    units          TEXT NOT NULL,
    PRIMARY KEY (revision, group_position, position)
) WITHOUT ROWID;
CREATE TABLE entry (
    revision INTEGER NOT NULL REFERENCES revision,
    position INTEGER NOT NULL,
    name     TEXT NOT NULL,
    valid    INTEGER NOT NULL,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE object (
    revision    INTEGER NOT NULL REFERENCES revision,
    position    INTEGER NOT NULL,
    name        TEXT NOT NULL,
    class_id    INTEGER NOT NULL,
    ref_id      INTEGER,
    stream_name TEXT,
    model       TEXT NOT NULL,
    area        TEXT NOT NULL,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE connection (
    revision  INTEGER NOT NULL REFERENCES revision,
    position  INTEGER NOT NULL,
    stream    TEXT NOT NULL,
    item      TEXT NOT NULL,
    direction INTEGER NOT NULL,
    connector TEXT NOT NULL,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE electrical_load (
    revision INTEGER NOT NULL REFERENCES revision,
    position INTEGER NOT NULL,
    ref_id   INTEGER NOT NULL,
    kw,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE object_database (
    revision INTEGER NOT NULL REFERENCES revision,
    position INTEGER NOT NULL,
    name     TEXT NOT NULL,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE cost_row (
    revision  INTEGER NOT NULL REFERENCES revision,
    position  INTEGER NOT NULL,
    name      TEXT NOT NULL,
    cost_slot TEXT NOT NULL,
    value     TEXT NOT NULL,
    number    TEXT,
    PRIMARY KEY (revision, position)
) WITHOUT ROWID;
CREATE TABLE slot_owner (
    owner     INTEGER PRIMARY KEY,
    revision  INTEGER NOT NULL REFERENCES revision,
    kind      TEXT NOT NULL CHECK (kind = 'object' OR kind = 'object default' OR kind = 'entry' OR
                                   kind = 'entry default' OR kind = 'generic object'),
    position  INTEGER NOT NULL,
    database  TEXT,
    name      TEXT NOT NULL
);
CREATE INDEX slot_owner_by_database ON slot_owner (revision, database);
CREATE TABLE run (
    run              INTEGER PRIMARY KEY,
    revision         INTEGER NOT NULL REFERENCES revision,
    started_utc      TEXT NOT NULL,
    call             TEXT NOT NULL CHECK (call IN ('full', 'reduced', 'pass')),
    class_id         INTEGER,
    record           INTEGER,
    instance         INTEGER NOT NULL,
    name             TEXT NOT NULL,
    scenario         TEXT NOT NULL,
    result           INTEGER NOT NULL,
    total_per_period,
    all_per_hour,
    all_per_period
);
CREATE TABLE run_warning (
    run        INTEGER NOT NULL REFERENCES run,
    position   INTEGER NOT NULL,
    from_units TEXT NOT NULL,
    to_units   TEXT NOT NULL,
    source     TEXT NOT NULL,
    message    TEXT NOT NULL,
    PRIMARY KEY (run, position)
) WITHOUT ROWID;
CREATE TABLE run_cost_row (
    run       INTEGER NOT NULL REFERENCES run,
    position  INTEGER NOT NULL,
    name      TEXT NOT NULL,
    cost_slot TEXT NOT NULL,
    value     TEXT NOT NULL,
    number    TEXT,
    PRIMARY KEY (run, position)
) WITHOUT ROWID;
CREATE TABLE run_utility (
    run           INTEGER NOT NULL REFERENCES run,
    position      INTEGER NOT NULL,
    utility       TEXT NOT NULL,
    rate,
    rate_units    TEXT NOT NULL,
    cost_per_hour,
    in_total      INTEGER NOT NULL,
    PRIMARY KEY (run, position)
) WITHOUT ROWID;
CREATE TABLE run_finding (
    run           INTEGER NOT NULL REFERENCES run,
    position      INTEGER NOT NULL,
    code          TEXT NOT NULL,
    severity      TEXT NOT NULL CHECK (severity IN ('error', 'warning', 'note')),
    object        TEXT NOT NULL,
    slot          TEXT NOT NULL,
    message       TEXT NOT NULL,
    hint          TEXT NOT NULL,
    amount,
    amount_units  TEXT NOT NULL,
    cost_per_hour,
    PRIMARY KEY (run, position)
) WITHOUT ROWID;
CREATE TABLE file_content (
    content INTEGER PRIMARY KEY,
    hash    TEXT NOT NULL,
    bytes   BLOB NOT NULL
);
CREATE INDEX file_content_by_hash ON file_content (hash);
CREATE TABLE run_file (
    run     INTEGER NOT NULL REFERENCES run,
    name    TEXT NOT NULL,
    content INTEGER NOT NULL REFERENCES file_content,
    PRIMARY KEY (run, name)
) WITHOUT ROWID;
CREATE VIEW run_files AS
    SELECT f.run, f.name, c.bytes FROM run_file AS f JOIN file_content AS c USING (content);
CREATE TABLE run_database (
    run      INTEGER NOT NULL REFERENCES run,
    position INTEGER NOT NULL,
    name     TEXT NOT NULL,
    stored   INTEGER NOT NULL,
    objects  BLOB,
    PRIMARY KEY (run, position)
) WITHOUT ROWID;
CREATE TABLE slot (
    owner    INTEGER NOT NULL REFERENCES slot_owner,
    position INTEGER NOT NULL,
    name     TEXT NOT NULL,
    form     TEXT NOT NULL CHECK (form = 'text' OR form = 'number' OR form = 'list'),
    text     TEXT,
    number,
    units    TEXT,
    PRIMARY KEY (owner, position)
) WITHOUT ROWID;
CREATE TABLE list_item (
    owner         INTEGER NOT NULL,
    slot_position INTEGER NOT NULL,
    position      INTEGER NOT NULL,
    item          TEXT NOT NULL,
    PRIMARY KEY (owner, slot_position, position)
) WITHOUT ROWID;
CREATE VIEW slots AS
    SELECT o.revision, o.kind, o.database, o.name AS owner, s.position, s.name AS slot, s.form, s.text,
           s.number, s.units
    FROM slot AS s JOIN slot_owner AS o USING (owner);
-- Each item's usage of each utility after a run that wrote usage records,
-- with the cost per hour the run printed for it; a large plant has
-- hundreds of thousands, kept as one JSON array per run, written at once
-- and read as rows through the view run_item. What a run changed is packed
-- (table_blob.h): the changed object and entry tables in one blob per
-- run, each changed database in its run_database row.
CREATE TABLE run_items (
    run   INTEGER PRIMARY KEY REFERENCES run,
    items TEXT NOT NULL
);
CREATE VIEW run_item AS
    SELECT p.run, CAST(i.key AS INTEGER) AS position, i.value ->> 0 AS item, i.value ->> 1 AS description,
           i.value ->> 2 AS utility, i.value ->> 3 AS amount, i.value ->> 4 AS amount_units,
           i.value ->> 5 AS stream, i.value ->> 6 AS cost_per_hour
    FROM run_items AS p, json_each(p.items) AS i;
CREATE TABLE run_change (
    run    INTEGER PRIMARY KEY REFERENCES run,
    tables BLOB NOT NULL
);
-- The journal of what each run wrote, per utility (results/run_journal.h).
CREATE TABLE run_journal (
    run                      INTEGER NOT NULL REFERENCES run,
    utility                  TEXT NOT NULL,
    carried_in,
    carried_in_units         TEXT NOT NULL,
    units                    TEXT NOT NULL,
    mixed_units              INTEGER NOT NULL,
    writes                   INTEGER NOT NULL,
    written,
    replaced_at_items        INTEGER NOT NULL,
    replaced_at_items_amount,
    replaced_bare            INTEGER NOT NULL,
    replaced_bare_amount,
    PRIMARY KEY (run, utility)
) WITHOUT ROWID;
)sql";

// A connection is used by one thread only: without SQLite's locking of each
// call, a large plant loads about a tenth faster.
const int one_thread = SQLite::OPEN_NOMUTEX;

[[noreturn]] void refuse(const std::string& path, const std::string& what)
{
    throw StoreError(path + ": " + what);
}

void create_schema(SQLite::Database& db)
{
    SQLite::Transaction transaction(db);
    db.exec(schema);
    db.exec("PRAGMA application_id = " + std::to_string(application_id));
    db.exec("PRAGMA user_version = " + std::to_string(schema_version));
    transaction.commit();
}

void check_schema(SQLite::Database& db, const std::string& path)
{
    const int id = db.execAndGet("PRAGMA application_id").getInt();
    if (id != application_id) refuse(path, "not a tovex store (an SQLite file of another program)");
    const int version = db.execAndGet("PRAGMA user_version").getInt();
    if (version > schema_version) {
        refuse(path, "written by a newer tovex (store schema " + std::to_string(version) + "; this tovex reads up to " +
                         std::to_string(schema_version) + ")");
    }
    if (version < 1) refuse(path, "not a tovex store (no schema version)");
    // No release has written an earlier schema: those were development
    // versions, whose stores are not read.
    if (version < schema_version) {
        refuse(path, "written by a development version of tovex (store schema " + std::to_string(version) +
                         "): import the project again into a new store");
    }
}

}  // namespace

bool looks_like_store(const std::string& path)
{
    static constexpr char header[] = "SQLite format 3";  // and its NUL: 16 bytes
    char start[sizeof header] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    return file.gcount() == static_cast<std::streamsize>(sizeof start) && std::memcmp(start, header, sizeof header) == 0;
}

std::unique_ptr<SQLite::Database> create_store(const std::string& path, const std::string& shown_path)
{
    try {
        auto db = std::make_unique<SQLite::Database>(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | one_thread);
        create_schema(*db);
        return db;
    } catch (const SQLite::Exception& failure) {
        refuse(shown_path, failure.what());
    }
}

std::unique_ptr<SQLite::Database> open_store(const std::string& path)
{
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (!exists) refuse(path, "cannot open: no such file");
    if (exists && !looks_like_store(path)) refuse(path, "not a tovex store (not an SQLite database)");
    try {
        // Opened for writing also to read it: a command that was killed
        // while writing leaves a journal that the next one to open the store
        // rolls back. A file that may only be read is opened for reading.
        auto db = std::make_unique<SQLite::Database>(path, SQLite::OPEN_READWRITE | one_thread);
        // Two commands on one store take turns instead of failing.
        db->setBusyTimeout(60'000);
        check_schema(*db, path);
        return db;
    } catch (const SQLite::Exception& failure) {
        refuse(path, failure.what());
    }
}

}  // namespace qxhost::store
