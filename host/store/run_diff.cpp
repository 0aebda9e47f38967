#include "store/run_diff.h"

#include <map>
#include <tuple>

#include <SQLiteCpp/Statement.h>

#include "model/slot_table.h"
#include "store/revision_tables.h"
#include "store/schema.h"

namespace qxhost::store {

namespace {

bool same(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

// Rows of both runs matched by key, in the order of run a, then the rows
// only run b has in its order.
template <typename Row, typename Key, typename Read>
std::vector<Row> matched_rows(SQLite::Statement& query, long a, long b, Key key_of, Read read)
{
    std::vector<Row> rows;
    std::map<decltype(key_of(std::declval<Row>())), std::size_t> index;
    for (const bool side_b : {false, true}) {
        query.reset();
        query.bind(1, static_cast<std::int64_t>(side_b ? b : a));
        while (query.executeStep()) {
            Row read_row;
            read(query, read_row, side_b);
            const auto key = key_of(read_row);
            const auto [place, added] = index.emplace(key, rows.size());
            if (added) {
                rows.push_back(std::move(read_row));
            } else if (side_b) {
                read(query, rows[place->second], true);
            }
        }
    }
    return rows;
}

std::vector<UtilityDiff> utility_rows(SQLite::Database& db, long a, long b, bool all)
{
    SQLite::Statement query(db, "SELECT utility, rate, rate_units, cost_per_hour, in_total FROM run_utility "
                                "WHERE run = ? ORDER BY position");
    auto rows = matched_rows<UtilityDiff>(
        query, a, b, [](const UtilityDiff& row) { return row.utility; },
        [](SQLite::Statement& q, UtilityDiff& row, bool side_b) {
            row.utility = text_of(q.getColumn(0));
            (side_b ? row.in_b : row.in_a) = true;
            (side_b ? row.rate.b : row.rate.a) = number_of(q.getColumn(1));
            (side_b ? row.rate_units_b : row.rate_units_a) = text_of(q.getColumn(2));
            (side_b ? row.cost_per_hour.b : row.cost_per_hour.a) = number_of(q.getColumn(3));
            row.in_total = q.getColumn(4).getInt() != 0;
        });
    if (all) return rows;
    std::erase_if(rows, [](const UtilityDiff& row) {
        return row.in_a && row.in_b && same(row.rate.a, row.rate.b) && row.rate_units_a == row.rate_units_b &&
               same(row.cost_per_hour.a, row.cost_per_hour.b);
    });
    return rows;
}

std::vector<ItemDiff> item_rows(SQLite::Database& db, long a, long b, bool all)
{
    SQLite::Statement query(db, "SELECT item, utility, amount, amount_units, cost_per_hour FROM run_item "
                                "WHERE run = ? ORDER BY position");
    auto rows = matched_rows<ItemDiff>(
        query, a, b, [](const ItemDiff& row) { return std::make_pair(row.item, row.utility); },
        [](SQLite::Statement& q, ItemDiff& row, bool side_b) {
            row.item = text_of(q.getColumn(0));
            row.utility = text_of(q.getColumn(1));
            (side_b ? row.in_b : row.in_a) = true;
            (side_b ? row.amount.b : row.amount.a) = number_of(q.getColumn(2));
            (side_b ? row.units_b : row.units_a) = text_of(q.getColumn(3));
            (side_b ? row.cost_per_hour.b : row.cost_per_hour.a) = number_of(q.getColumn(4));
        });
    if (all) return rows;
    std::erase_if(rows, [](const ItemDiff& row) {
        return row.in_a && row.in_b && same(row.amount.a, row.amount.b) && row.units_a == row.units_b &&
               same(row.cost_per_hour.a, row.cost_per_hour.b);
    });
    return rows;
}

bool has_items(SQLite::Database& db, long run)
{
    SQLite::Statement query(db, "SELECT 1 FROM run_items WHERE run = ?");
    query.bind(1, static_cast<std::int64_t>(run));
    return query.executeStep();
}

// A slot value as text: a text as it is, a number in shortest form with its
// units after a blank, a list's items between brackets.
std::optional<std::string> shown_slot(const SQLite::Statement& q, int first)
{
    const std::string form = q.getColumn(first).isNull() ? "" : q.getColumn(first).getString();
    if (form.empty()) return std::nullopt;
    if (form == "text") return text_of(q.getColumn(first + 1));
    if (form == "list") {
        std::string items = q.getColumn(first + 4).isNull() ? "" : text_of(q.getColumn(first + 4));
        std::replace(items.begin(), items.end(), '\x1f', ',');
        return "[" + items + "]";
    }
    const SQLite::Column number = q.getColumn(first + 2);
    std::string text = number.isNull() ? "nan" : shortest_number_text(number.getDouble());
    const std::string units = text_of(q.getColumn(first + 3));
    if (!units.empty()) text += " " + units;
    return text;
}

std::string slot_place(const std::string& kind, const std::string& database, const std::string& owner,
                       const std::string& slot)
{
    if (kind == "generic object") return database + " / " + owner + " / " + slot;
    std::string place = kind.starts_with("entry") ? "entry " : "object ";
    place += owner;
    if (kind.ends_with("default")) place += " (default)";
    return place + " / " + slot;
}

// The slots of the two revisions' own tables (what was imported, before
// any run) that differ: objects, entries and the databases' objects.
void add_slot_changes(SQLite::Database& db, long a, long b, std::vector<InputDiff>& inputs)
{
    SQLite::Statement query(db, R"sql(
WITH side AS (
    SELECT o.revision, o.kind, coalesce(o.database, '') AS database, o.name AS owner, s.name AS slot, s.form,
           s.text, s.number, s.units,
           (SELECT group_concat(item, char(31)) FROM
               (SELECT item FROM list_item AS l WHERE l.owner = s.owner AND l.slot_position = s.position
                ORDER BY l.position)) AS items
    FROM slot AS s JOIN slot_owner AS o USING (owner)
    WHERE o.revision IN (?1, ?2)
),
a AS (SELECT * FROM side WHERE revision = ?1),
b AS (SELECT * FROM side WHERE revision = ?2)
SELECT coalesce(a.kind, b.kind), coalesce(a.database, b.database), coalesce(a.owner, b.owner),
       coalesce(a.slot, b.slot), a.form, a.text, a.number, a.units, a.items,
       b.form, b.text, b.number, b.units, b.items
FROM a FULL JOIN b ON a.kind = b.kind AND a.database = b.database AND a.owner = b.owner AND a.slot = b.slot
WHERE a.form IS NOT b.form OR a.text IS NOT b.text OR a.number IS NOT b.number OR a.units IS NOT b.units
   OR a.items IS NOT b.items
)sql");
    query.bind(1, static_cast<std::int64_t>(a));
    query.bind(2, static_cast<std::int64_t>(b));
    while (query.executeStep()) {
        inputs.push_back({slot_place(text_of(query.getColumn(0)), text_of(query.getColumn(1)),
                                     text_of(query.getColumn(2)), text_of(query.getColumn(3))),
                          shown_slot(query, 4), shown_slot(query, 9)});
    }
}

std::optional<std::string> shown_number(const SQLite::Column& column)
{
    if (column.isNull()) return std::nullopt;
    return shortest_number_text(column.getDouble());
}

// The electrical loads by reference id, the load summary's total and the
// project's settings.
void add_project_changes(SQLite::Database& db, long a, long b, std::vector<InputDiff>& inputs)
{
    SQLite::Statement loads(db, R"sql(
WITH a AS (SELECT ref_id, kw FROM electrical_load WHERE revision = ?1),
     b AS (SELECT ref_id, kw FROM electrical_load WHERE revision = ?2)
SELECT coalesce(a.ref_id, b.ref_id), a.ref_id IS NOT NULL, a.kw, b.ref_id IS NOT NULL, b.kw
FROM a FULL JOIN b ON a.ref_id = b.ref_id
WHERE a.ref_id IS NULL OR b.ref_id IS NULL OR a.kw IS NOT b.kw
)sql");
    loads.bind(1, static_cast<std::int64_t>(a));
    loads.bind(2, static_cast<std::int64_t>(b));
    while (loads.executeStep()) {
        const auto side = [&](int first) -> std::optional<std::string> {
            if (loads.getColumn(first).getInt() == 0) return std::nullopt;
            return shown_number(loads.getColumn(first + 1)).value_or("nan") + " KW";
        };
        inputs.push_back({"electrical load of item " + loads.getColumn(0).getString(), side(1), side(3)});
    }

    SQLite::Statement settings(db, "SELECT total_kw, quote(electrical_load_file), unit_system, simulation_case, "
                                   "sim_type, utility_streams FROM revision WHERE revision = ?");
    const auto read = [&](long revision) {
        settings.reset();
        settings.bind(1, static_cast<std::int64_t>(revision));
        settings.executeStep();
        std::vector<std::optional<std::string>> values;
        values.push_back(shown_number(settings.getColumn(0)));
        values.push_back(settings.getColumn(1).getString());
        for (int column = 2; column < 6; ++column) values.push_back(settings.getColumn(column).getString());
        return values;
    };
    const auto before = read(a);
    const auto after = read(b);
    constexpr const char* places[] = {"electrical loads / total_kw", "electrical_load_file", "unit_system",
                                      "simulation_case", "simulation_case / sim_type", "utility_streams"};
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (before[k] == after[k]) continue;
        // The load file is shown by whether it is there, not its bytes.
        if (k == 1)
            inputs.push_back({places[k], before[k] == "NULL" ? "none" : "given", after[k] == "NULL" ? "none" : "given"});
        else
            inputs.push_back({places[k], before[k], after[k]});
    }
}

}  // namespace

RunDiff diff_runs(SQLite::Database& db, const RunSummary& a, const RunSummary& b, bool all)
{
    RunDiff diff;
    diff.a = a;
    diff.b = b;
    diff.total_per_period = {a.total_per_period, b.total_per_period};
    diff.all_per_hour = {a.all_per_hour, b.all_per_hour};
    diff.all_per_period = {a.all_per_period, b.all_per_period};
    diff.utilities = utility_rows(db, a.run, b.run, all);
    diff.items_a = has_items(db, a.run);
    diff.items_b = has_items(db, b.run);
    diff.items = item_rows(db, a.run, b.run, all);
    if (a.revision != b.revision) {
        add_slot_changes(db, a.revision, b.revision, diff.inputs);
        add_project_changes(db, a.revision, b.revision, diff.inputs);
    }
    return diff;
}

std::optional<double> change(const NumberPair& pair, bool same_units)
{
    if (!pair.a || !pair.b || !same_units) return std::nullopt;
    return *pair.b - *pair.a;
}

}  // namespace qxhost::store
