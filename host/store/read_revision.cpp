// Reading a project back into the host's project model: a revision as it
// was imported, or as a run of it left it. A run stores only the slot tables
// and databases it changed, so each table is read from the latest run up to
// the one asked for that stored it, or from the revision itself.
#include "store/revision_tables.h"

#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include <SQLiteCpp/Statement.h>

#include "store/table_blob.h"

namespace qxhost::store {

namespace {

class RevisionReader {
public:
    RevisionReader(SQLite::Database& db, long revision, long run, Project& project)
        : db_(db), revision_(revision), run_(run), project_(project)
    {
    }

    void read()
    {
        read_identity();
        read_configurations();
        read_criteria();
        read_entries();
        read_objects();
        read_connections();
        read_loads();
        read_databases();
        read_slots();
        read_packed_databases();
        read_changed_tables();
        read_cost_rows();
    }

private:
    SQLite::Statement rows_of(const char* sql)
    {
        SQLite::Statement query(db_, sql);
        query.bind(1, static_cast<std::int64_t>(revision_));
        return query;
    }

    void read_identity()
    {
        auto query = rows_of("SELECT instance, name, scenario, unit_system, simulation_case, sim_type, utility_streams, "
                             "electrical_loads, total_kw, electrical_load_file FROM revision WHERE revision = ?");
        if (!query.executeStep()) throw std::runtime_error("revision " + std::to_string(revision_) + " is missing");
        project_.instance = static_cast<std::uint32_t>(query.getColumn(0).getInt64());
        project_.name = text_of(query.getColumn(1));
        project_.scenario = text_of(query.getColumn(2));
        project_.unit_system = query.getColumn(3).getInt();
        const std::string sim_case = query.getColumn(4).getString();
        project_.has_sim_case = sim_case != "none";
        project_.sim_case_valid = sim_case == "valid";
        project_.sim_type = query.getColumn(5).getInt();
        const std::string streams = query.getColumn(6).getString();
        project_.has_utility_streams = streams != "none";
        project_.utility_streams_valid = streams == "valid";
        project_.has_electrical_loads = query.getColumn(7).getInt() != 0;
        if (!query.getColumn(8).isNull()) project_.total_kw = query.getColumn(8).getDouble();
        if (!query.getColumn(9).isNull()) project_.electrical_load_file = text_of(query.getColumn(9));
    }

    void read_configurations()
    {
        auto query = rows_of("SELECT class_id FROM configuration WHERE revision = ? ORDER BY position");
        while (query.executeStep()) project_.configurations.push_back(query.getColumn(0).getInt());
    }

    void read_criteria()
    {
        auto groups = rows_of("SELECT name FROM criteria_group WHERE revision = ? ORDER BY position");
        std::vector<OrderedMap<Criterion>*> by_position;
        while (groups.executeStep())
            by_position.push_back(&project_.design_criteria.get_or_add(text_of(groups.getColumn(0))));
        auto query = rows_of("SELECT group_position, name, value, units FROM criterion WHERE revision = ? "
                             "ORDER BY group_position, position");
        while (query.executeStep()) {
            const auto group = static_cast<std::size_t>(query.getColumn(0).getInt64());
            by_position.at(group)->set(text_of(query.getColumn(1)),
                                       Criterion{number_or_nan(query.getColumn(2)), text_of(query.getColumn(3))});
        }
    }

    void read_entries()
    {
        auto query = rows_of("SELECT name, valid FROM entry WHERE revision = ? ORDER BY position");
        while (query.executeStep()) {
            Entry& entry = project_.entries.get_or_add(text_of(query.getColumn(0)));
            entry.valid = query.getColumn(1).getInt() != 0;
            entries_.push_back(&entry);
        }
    }

    void read_objects()
    {
        auto query = rows_of("SELECT name, class_id, ref_id, stream_name, model, area FROM object WHERE revision = ? "
                             "ORDER BY position");
        while (query.executeStep()) {
            Object& object = project_.objects.emplace_back();
            object.name = text_of(query.getColumn(0));
            object.class_id = query.getColumn(1).getInt();
            if (!query.getColumn(2).isNull()) object.ref_id = static_cast<std::uint32_t>(query.getColumn(2).getInt64());
            if (!query.getColumn(3).isNull()) object.stream_name = text_of(query.getColumn(3));
            object.model = text_of(query.getColumn(4));
            object.area = text_of(query.getColumn(5));
        }
    }

    void read_connections()
    {
        auto query = rows_of("SELECT stream, item, direction, connector FROM connection WHERE revision = ? "
                             "ORDER BY position");
        while (query.executeStep()) {
            Connection& connection = project_.connections.emplace_back();
            connection.stream = text_of(query.getColumn(0));
            connection.item = text_of(query.getColumn(1));
            connection.direction = query.getColumn(2).getInt();
            connection.connector = text_of(query.getColumn(3));
        }
    }

    void read_loads()
    {
        auto query = rows_of("SELECT ref_id, kw FROM electrical_load WHERE revision = ? ORDER BY position");
        while (query.executeStep()) {
            project_.electrical_loads.push_back(
                {static_cast<std::uint32_t>(query.getColumn(0).getInt64()), number_or_nan(query.getColumn(1))});
        }
    }

    // The databases in order, each with the run its objects are read from
    // (0: the revision).
    void read_databases()
    {
        if (run_ == 0) {
            auto query = rows_of("SELECT name FROM object_database WHERE revision = ? ORDER BY position");
            while (query.executeStep()) add_database(text_of(query.getColumn(0)), 0);
            return;
        }
        SQLite::Statement query(db_, "SELECT name, stored FROM run_database WHERE run = ? ORDER BY position");
        query.bind(1, static_cast<std::int64_t>(run_));
        SQLite::Statement source(db_, "SELECT coalesce(max(d.run), 0) FROM run_database AS d JOIN run AS r USING (run) "
                                      "WHERE r.revision = ? AND d.run <= ? AND d.name = ? AND d.stored = 1");
        while (query.executeStep()) {
            const std::string name = text_of(query.getColumn(0));
            source.bind(1, static_cast<std::int64_t>(revision_));
            source.bind(2, static_cast<std::int64_t>(run_));
            source.bind(3, name);
            source.executeStep();
            add_database(name, source.getColumn(0).getInt64());
            source.reset();
        }
    }

    void add_database(const std::string& name, std::int64_t source_run)
    {
        project_.databases.get_or_add(name);
        database_sources_.emplace_back(name, source_run);
    }

    // The slot tables to read: the revision's object and entry tables (a
    // run's changes to them are read over them), and the objects of each
    // database that no run up to this one stored anew.
    void choose_owners()
    {
        db_.exec("CREATE TEMP TABLE IF NOT EXISTS chosen_owner (owner INTEGER PRIMARY KEY)");
        db_.exec("DELETE FROM temp.chosen_owner");
        SQLite::Statement tables(db_, "INSERT INTO temp.chosen_owner SELECT owner FROM slot_owner "
                                      "WHERE revision = ? AND kind <> 'generic object'");
        tables.bind(1, static_cast<std::int64_t>(revision_));
        tables.exec();
        SQLite::Statement objects(db_, "INSERT INTO temp.chosen_owner SELECT owner FROM slot_owner "
                                       "WHERE revision = ? AND database = ? AND kind = 'generic object'");
        for (const auto& [name, source_run] : database_sources_) {
            if (source_run != 0) continue;
            objects.bind(1, static_cast<std::int64_t>(revision_));
            objects.bind(2, name);
            objects.exec();
            objects.reset();
        }
    }

    // Every owner's slots, owners in the order they were written: a
    // database's generic objects are made in their order as they come.
    void read_slots()
    {
        choose_owners();
        std::unordered_map<std::int64_t, SlotTable*> tables;
        SQLite::Statement owners(db_, "SELECT o.owner, o.kind, o.position, o.database, o.name FROM slot_owner AS o "
                                      "JOIN temp.chosen_owner USING (owner) ORDER BY o.owner");
        while (owners.executeStep()) {
            const std::string kind = owners.getColumn(1).getString();
            const auto position = static_cast<std::size_t>(owners.getColumn(2).getInt64());
            SlotTable* table = nullptr;
            if (kind == "object") table = &project_.objects.at(position).slots;
            else if (kind == "object default") table = &project_.objects.at(position).defaults;
            else if (kind == "entry") table = &entries_.at(position)->slots;
            else if (kind == "entry default") table = &entries_.at(position)->defaults;
            else table = &generic_object(text_of(owners.getColumn(3)), text_of(owners.getColumn(4)));
            tables.emplace(owners.getColumn(0).getInt64(), table);
        }

        SQLite::Statement items(db_, "SELECT i.owner, i.slot_position, i.item FROM list_item AS i "
                                     "JOIN temp.chosen_owner USING (owner) ORDER BY i.owner, i.slot_position, i.position");
        std::map<std::pair<std::int64_t, std::int64_t>, std::vector<std::string>> lists;
        while (items.executeStep()) {
            lists[{items.getColumn(0).getInt64(), items.getColumn(1).getInt64()}].push_back(
                text_of(items.getColumn(2)));
        }

        SQLite::Statement slots(db_, "SELECT s.owner, s.position, s.name, s.form, s.text, s.number, s.units "
                                     "FROM slot AS s JOIN temp.chosen_owner USING (owner) ORDER BY s.owner, s.position");
        // Rows come by owner: the table is looked up once per owner, and
        // names and forms are read in place, which a large plant's hundreds
        // of thousands of slots notice.
        std::int64_t owner = -1;
        SlotTable* table = nullptr;
        while (slots.executeStep()) {
            if (slots.getColumn(0).getInt64() != owner) {
                owner = slots.getColumn(0).getInt64();
                table = tables.at(owner);
            }
            const std::string_view form = view_of(slots.getColumn(3));
            Value value;
            if (form == "text") {
                value = Value::of_text(text_of(slots.getColumn(4)));
            } else if (form == "number") {
                value = Value::of_number(number_or_nan(slots.getColumn(5)), text_of(slots.getColumn(6)));
            } else {
                auto list = lists.find({owner, slots.getColumn(1).getInt64()});
                value = Value::of_list(list == lists.end() ? std::vector<std::string>() : std::move(list->second));
            }
            table->set(view_of(slots.getColumn(2)), std::move(value));
        }
    }

    // The databases that a run stored anew, packed.
    void read_packed_databases()
    {
        SQLite::Statement query(db_, "SELECT objects FROM run_database WHERE run = ? AND name = ? "
                                     "AND objects IS NOT NULL");
        for (const auto& [name, source_run] : database_sources_) {
            if (source_run == 0) continue;
            query.bind(1, source_run);
            query.bind(2, name);
            if (query.executeStep()) {
                BlobReader blob(view_of(query.getColumn(0)));
                *project_.databases.find(name) = blob.database();
            }
            query.reset();
        }
    }

    // The object and entry tables that runs up to this one changed, each
    // run's over the earlier ones'.
    void read_changed_tables()
    {
        if (run_ == 0) return;
        SQLite::Statement query(db_, "SELECT c.tables FROM run_change AS c JOIN run AS r USING (run) "
                                     "WHERE r.revision = ? AND c.run <= ? ORDER BY c.run");
        query.bind(1, static_cast<std::int64_t>(revision_));
        query.bind(2, static_cast<std::int64_t>(run_));
        while (query.executeStep()) {
            BlobReader blob(view_of(query.getColumn(0)));
            for (std::uint64_t count = blob.varint(); count > 0; --count) {
                const std::uint64_t kind = blob.varint();
                const std::uint64_t position = blob.varint();
                changed_table(kind, position) = blob.table();
            }
        }
    }

    SlotTable& changed_table(std::uint64_t kind, std::uint64_t position)
    {
        if (kind == static_cast<std::uint64_t>(TableKind::object)) return project_.objects.at(position).slots;
        if (kind == static_cast<std::uint64_t>(TableKind::object_default)) return project_.objects.at(position).defaults;
        if (kind == static_cast<std::uint64_t>(TableKind::entry)) return entries_.at(position)->slots;
        if (kind == static_cast<std::uint64_t>(TableKind::entry_default)) return entries_.at(position)->defaults;
        throw std::runtime_error("a damaged run blob");
    }

    SlotTable& generic_object(const std::string& database, const std::string& name)
    {
        Database* found = project_.databases.find(database);
        if (found == nullptr) throw std::runtime_error("a generic object of the unknown database \"" + database + "\"");
        return found->get_or_add(name);
    }

    void read_cost_rows()
    {
        SQLite::Statement query(db_, run_ == 0 ? "SELECT name, cost_slot, value, number FROM cost_row "
                                                 "WHERE revision = ? ORDER BY position"
                                               : "SELECT name, cost_slot, value, number FROM run_cost_row "
                                                 "WHERE run = ? ORDER BY position");
        query.bind(1, static_cast<std::int64_t>(run_ == 0 ? revision_ : run_));
        while (query.executeStep()) {
            CostRow& row = project_.cost_rows.emplace_back();
            row.name = text_of(query.getColumn(0));
            row.cost_slot = text_of(query.getColumn(1));
            row.value = text_of(query.getColumn(2));
            if (!query.getColumn(3).isNull()) row.number = std::stoull(query.getColumn(3).getString());
        }
    }

    SQLite::Database& db_;
    long revision_;
    long run_;
    Project& project_;
    std::vector<Entry*> entries_;
    std::vector<std::pair<std::string, std::int64_t>> database_sources_;
};

}  // namespace

std::unique_ptr<Project> read_revision(SQLite::Database& db, long revision, long run)
{
    auto project = std::make_unique<Project>();
    RevisionReader(db, revision, run, *project).read();
    return project;
}

}  // namespace qxhost::store
