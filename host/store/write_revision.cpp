// Storing a project as a new revision: every section of the project in its
// tables, positions keeping the order the project file keeps.
#include "store/revision_tables.h"

#include <stdexcept>
#include <tuple>

#include <SQLiteCpp/Statement.h>

#include "store/table_blob.h"

namespace qxhost::store {

namespace {

const char* validity(bool present, bool valid)
{
    if (!present) return "none";
    return valid ? "valid" : "not valid";
}

// Runs `statement` once and makes it ready for the next row.
void insert(SQLite::Statement& statement)
{
    statement.exec();
    statement.reset();
    statement.clearBindings();
}

class RevisionWriter {
public:
    RevisionWriter(SQLite::Database& db, long revision) : db_(db), revision_(revision) {}

    void write(const Project& project)
    {
        write_configurations(project);
        write_criteria(project);
        write_entries(project);
        write_objects(project);
        write_connections(project);
        write_loads(project);
        write_databases(project);
        write_cost_rows(project);
    }

private:
    SQLite::Statement statement(const char* sql) { return SQLite::Statement(db_, sql); }

    // Every section's row starts with the revision and the row's position.
    void begin_row(SQLite::Statement& add, std::int64_t position) const
    {
        add.bind(1, static_cast<std::int64_t>(revision_));
        add.bind(2, position);
    }
    void begin_row(SQLite::Statement& add, std::size_t position) const
    {
        begin_row(add, static_cast<std::int64_t>(position));
    }

    void write_configurations(const Project& project)
    {
        auto add = statement("INSERT INTO configuration VALUES (?, ?, ?)");
        for (std::size_t i = 0; i < project.configurations.size(); ++i) {
            begin_row(add, i);
            add.bind(3, project.configurations[i]);
            insert(add);
        }
    }

    void write_criteria(const Project& project)
    {
        auto add_group = statement("INSERT INTO criteria_group VALUES (?, ?, ?)");
        auto add = statement("INSERT INTO criterion VALUES (?, ?, ?, ?, ?, ?)");
        std::int64_t group_position = 0;
        for (const auto& [group_name, criteria] : project.design_criteria) {
            begin_row(add_group, group_position);
            add_group.bind(3, std::string(group_name.str()));
            insert(add_group);
            std::int64_t position = 0;
            for (const auto& [name, criterion] : criteria) {
                begin_row(add, group_position);
                add.bind(3, position++);
                add.bind(4, std::string(name.str()));
                bind_number(add, 5, criterion.value);
                add.bind(6, criterion.units);
                insert(add);
            }
            ++group_position;
        }
    }

    void write_entries(const Project& project)
    {
        auto add = statement("INSERT INTO entry VALUES (?, ?, ?, ?)");
        std::int64_t position = 0;
        for (const auto& [name, entry] : project.entries) {
            begin_row(add, position);
            const std::string entry_name(name.str());
            add.bind(3, entry_name);
            add.bind(4, entry.valid ? 1 : 0);
            insert(add);
            write_slots("entry", position, nullptr, entry_name, entry.slots);
            if (!entry.defaults.empty()) write_slots("entry default", position, nullptr, entry_name, entry.defaults);
            ++position;
        }
    }

    void write_objects(const Project& project)
    {
        auto add = statement("INSERT INTO object VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        for (std::size_t i = 0; i < project.objects.size(); ++i) {
            const Object& object = project.objects[i];
            const auto position = static_cast<std::int64_t>(i);
            begin_row(add, position);
            add.bind(3, object.name);
            add.bind(4, object.class_id);
            if (object.ref_id) add.bind(5, static_cast<std::int64_t>(*object.ref_id));
            if (object.stream_name) add.bind(6, *object.stream_name);
            add.bind(7, object.model);
            add.bind(8, object.area);
            insert(add);
            write_slots("object", position, nullptr, object.name, object.slots);
            if (!object.defaults.empty()) write_slots("object default", position, nullptr, object.name, object.defaults);
        }
    }

    void write_connections(const Project& project)
    {
        auto add = statement("INSERT INTO connection VALUES (?, ?, ?, ?, ?, ?)");
        for (std::size_t i = 0; i < project.connections.size(); ++i) {
            const Connection& connection = project.connections[i];
            begin_row(add, i);
            add.bind(3, connection.stream);
            add.bind(4, connection.item);
            add.bind(5, connection.direction);
            add.bind(6, connection.connector);
            insert(add);
        }
    }

    void write_loads(const Project& project)
    {
        auto add = statement("INSERT INTO electrical_load VALUES (?, ?, ?, ?)");
        for (std::size_t i = 0; i < project.electrical_loads.size(); ++i) {
            begin_row(add, i);
            add.bind(3, static_cast<std::int64_t>(project.electrical_loads[i].ref_id));
            bind_number(add, 4, project.electrical_loads[i].kw);
            insert(add);
        }
    }

    void write_databases(const Project& project)
    {
        auto add = statement("INSERT INTO object_database VALUES (?, ?, ?)");
        std::int64_t position = 0;
        for (const auto& [name, objects] : project.databases) {
            begin_row(add, position++);
            add.bind(3, std::string(name.str()));
            insert(add);
            const std::string database(name.str());
            std::int64_t object_position = 0;
            for (const auto& [object_name, slots] : objects)
                write_slots("generic object", object_position++, &database, std::string(object_name.str()), slots);
        }
    }

    void write_cost_rows(const Project& project)
    {
        store::write_cost_rows(db_, "cost_row", revision_, project.cost_rows);
    }

    void write_slots(const char* kind, std::int64_t position, const std::string* database, const std::string& name,
                     const SlotTable& slots)
    {
        add_owner_.bind(1, static_cast<std::int64_t>(revision_));
        add_owner_.bind(2, kind);
        add_owner_.bind(3, position);
        if (database != nullptr) add_owner_.bind(4, *database);
        add_owner_.bind(5, name);
        insert(add_owner_);
        const std::int64_t owner = db_.getLastInsertRowid();

        std::int64_t slot_position = 0;
        for (const auto& [slot_name, value] : slots) {
            add_slot_.bind(1, owner);
            add_slot_.bind(2, slot_position);
            add_slot_.bind(3, std::string(slot_name.str()));
            switch (value.kind) {
            case Value::Kind::text:
                add_slot_.bind(4, "text");
                add_slot_.bind(5, value.text);
                break;
            case Value::Kind::number:
                add_slot_.bind(4, "number");
                bind_number(add_slot_, 6, value.number);
                add_slot_.bind(7, value.units.str());
                break;
            case Value::Kind::list:
                add_slot_.bind(4, "list");
                write_items(owner, slot_position, value.items);
                break;
            }
            insert(add_slot_);
            ++slot_position;
        }
    }

    void write_items(std::int64_t owner, std::int64_t slot_position, const std::vector<std::string>& items)
    {
        for (std::size_t i = 0; i < items.size(); ++i) {
            add_item_.bind(1, owner);
            add_item_.bind(2, slot_position);
            add_item_.bind(3, static_cast<std::int64_t>(i));
            add_item_.bind(4, items[i]);
            insert(add_item_);
        }
    }

    SQLite::Database& db_;
    long revision_;
    SQLite::Statement add_owner_{db_, "INSERT INTO slot_owner (revision, kind, position, database, name) "
                                      "VALUES (?, ?, ?, ?, ?)"};
    SQLite::Statement add_slot_{db_, "INSERT INTO slot VALUES (?, ?, ?, ?, ?, ?, ?)"};
    SQLite::Statement add_item_{db_, "INSERT INTO list_item VALUES (?, ?, ?, ?)"};
};

}  // namespace

void write_cost_rows(SQLite::Database& db, const char* table, long key, const std::vector<CostRow>& rows)
{
    SQLite::Statement add(db, std::string("INSERT INTO ") + table + " VALUES (?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CostRow& row = rows[i];
        add.bind(1, static_cast<std::int64_t>(key));
        add.bind(2, static_cast<std::int64_t>(i));
        add.bind(3, row.name);
        add.bind(4, row.cost_slot);
        add.bind(5, row.value);
        if (row.number) add.bind(6, std::to_string(*row.number));
        insert(add);
    }
}

namespace {

// The object and entry tables of `after` that the run wrote, packed: count,
// then per table its kind, position and slots.
std::string changed_tables(const Project& after, const ProjectWrites* writes)
{
    const auto written = [&](const SlotTable& table) { return writes == nullptr || writes->tables.contains(&table); };
    std::vector<std::tuple<TableKind, std::size_t, const SlotTable*>> changed;
    for (std::size_t i = 0; i < after.objects.size(); ++i) {
        if (written(after.objects[i].slots)) changed.emplace_back(TableKind::object, i, &after.objects[i].slots);
        if (written(after.objects[i].defaults))
            changed.emplace_back(TableKind::object_default, i, &after.objects[i].defaults);
    }
    std::size_t position = 0;
    for (const auto& [name, entry] : after.entries) {
        if (written(entry.slots)) changed.emplace_back(TableKind::entry, position, &entry.slots);
        if (written(entry.defaults)) changed.emplace_back(TableKind::entry_default, position, &entry.defaults);
        ++position;
    }
    BlobWriter blob;
    blob.varint(changed.size());
    for (const auto& [kind, at, table] : changed) {
        blob.varint(static_cast<std::uint64_t>(kind));
        blob.varint(at);
        blob.table(*table);
    }
    return blob.bytes();
}

}  // namespace

void write_run_changes(SQLite::Database& db, long run, const std::set<std::string, std::less<>>& databases_before,
                       const Project& after, const ProjectWrites* writes)
{
    const std::string tables = changed_tables(after, writes);
    SQLite::Statement add_tables(db, "INSERT INTO run_change VALUES (?, ?)");
    add_tables.bind(1, static_cast<std::int64_t>(run));
    add_tables.bindNoCopy(2, tables.data(), static_cast<int>(tables.size()));
    add_tables.exec();

    // Every database after the run, in order; those that are new or that
    // the run wrote are stored whole.
    SQLite::Statement add(db, "INSERT INTO run_database VALUES (?, ?, ?, ?, ?)");
    std::int64_t position = 0;
    for (const auto& [name, objects] : after.databases) {
        const std::string database(name.view());
        const bool stored = !databases_before.contains(database) || writes == nullptr ||
                            writes->databases.contains(database);
        add.bind(1, static_cast<std::int64_t>(run));
        add.bind(2, position++);
        add.bind(3, database);
        add.bind(4, stored ? 1 : 0);
        BlobWriter blob;
        if (stored) {
            blob.database(objects);
            add.bindNoCopy(5, blob.bytes().data(), static_cast<int>(blob.bytes().size()));
        }
        insert(add);
    }
}

long write_revision(SQLite::Database& db, const Project& project, const std::string& source,
                    const std::string& imported_utc)
{
    SQLite::Statement add(db, "INSERT INTO revision (imported_utc, source, instance, name, scenario, unit_system, "
                              "simulation_case, sim_type, utility_streams, electrical_loads, total_kw, "
                              "electrical_load_file) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    add.bind(1, imported_utc);
    add.bind(2, source);
    add.bind(3, static_cast<std::int64_t>(project.instance));
    add.bind(4, project.name);
    add.bind(5, project.scenario);
    add.bind(6, project.unit_system);
    add.bind(7, validity(project.has_sim_case, project.sim_case_valid));
    add.bind(8, project.sim_type);
    add.bind(9, validity(project.has_utility_streams, project.utility_streams_valid));
    add.bind(10, project.has_electrical_loads ? 1 : 0);
    if (project.total_kw) bind_number(add, 11, *project.total_kw);
    if (project.electrical_load_file) {
        add.bind(12, project.electrical_load_file->data(), static_cast<int>(project.electrical_load_file->size()));
    }
    add.exec();
    const long revision = static_cast<long>(db.getLastInsertRowid());
    RevisionWriter(db, revision).write(project);
    return revision;
}

}  // namespace qxhost::store
