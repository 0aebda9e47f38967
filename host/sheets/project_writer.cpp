// A project written as a workbook, so that reading it back (project_reader)
// gives the same project: see project_layout.h for the rule that keeps the
// order of everything.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

#include "checks/unit_hints.h"
#include "json/json_writer.h"
#include "project_layout.h"
#include "sheet_columns.h"
#include "sheets/project_sheets.h"

namespace qxhost::sheets {

namespace {

using layout::SlotColumn;
using Row = std::vector<Cell>;

Cell text(std::string_view value) { return Cell::of_text(std::string(value)); }
Cell number(double value)
{
    // A number that is not finite is written as the project file writes it.
    if (std::isnan(value)) return text("nan");
    if (std::isinf(value)) return text(value > 0 ? "inf" : "-inf");
    return Cell::of_number(value);
}
Cell optional_number(const std::optional<std::uint32_t>& value)
{
    return value ? Cell::of_number(static_cast<double>(*value)) : Cell{};
}

Sheet& sheet_of(Workbook& workbook, std::string_view name)
{
    for (Sheet& sheet : workbook.sheets)
        if (sheet.name == name) return sheet;
    throw std::logic_error("no sheet " + std::string(name));
}

// The slots that go in the owner's columns: the longest run from its first
// slot that fits the columns in their order, a number in a number column,
// a text in a text column. Returns one cell per column (a number's units
// after it) and how many slots they took.
template <std::size_t N>
std::size_t take_columns(const SlotTable& slots, const std::array<SlotColumn, N>& columns, Row& row)
{
    std::size_t taken = 0;
    std::size_t next = 0;
    std::vector<const Value*> placed(N, nullptr);
    for (const auto& [name, value] : slots) {
        std::size_t column = next;
        while (column < N && columns[column].slot != name.view()) ++column;
        if (column == N || columns[column].kind != value.kind) break;
        // A unit the host does not read is refused in a column that wants
        // one: the slot keeps it in "Slots", which takes any text.
        if (!columns[column].like.empty() && !value.units.empty() && !checks::known_units(value.units)) break;
        placed[column] = &value;
        next = column + 1;
        ++taken;
    }
    for (std::size_t i = 0; i < N; ++i) {
        const Value* value = placed[i];
        if (columns[i].kind == Value::Kind::number) {
            row.push_back(value ? number(value->number) : Cell{});
            row.push_back(value ? text(value->units) : Cell{});
        } else {
            row.push_back(value ? text(value->text) : Cell{});
        }
    }
    return taken;
}

// A row of the "Slots" sheet: Of, Name, Slot, Form, Value, Units, Default.
Row slot_row(std::string_view of, std::string_view owner, std::string_view slot, const Value& value, bool default_slot)
{
    Row row{text(of), text(owner), text(slot)};
    switch (value.kind) {
    case Value::Kind::text:
        row.insert(row.end(), {text("text"), text(value.text), Cell{}});
        break;
    case Value::Kind::number:
        row.insert(row.end(), {text("number"), number(value.number), text(value.units)});
        break;
    case Value::Kind::list: {
        std::string items = "[";
        for (const std::string& item : value.items) {
            if (items.size() > 1) items += ", ";
            items += json_string(item);
        }
        row.insert(row.end(), {text("list"), text(items + "]"), Cell{}});
        break;
    }
    }
    row.push_back(default_slot ? text("yes") : Cell{});
    return row;
}

// The owner's slots after the first `taken`, and all its defaults.
void rest_of_slots(Sheet& slots, std::string_view of, std::string_view owner, const SlotTable& own, std::size_t taken,
                   const SlotTable& defaults)
{
    std::size_t at = 0;
    for (const auto& [name, value] : own)
        if (at++ >= taken) slots.rows.push_back(slot_row(of, owner, name.view(), value, false));
    for (const auto& [name, value] : defaults) slots.rows.push_back(slot_row(of, owner, name.view(), value, true));
}

class ProjectWriter {
public:
    explicit ProjectWriter(const Project& project) : project_(project)
    {
        workbook_.sheets = project_sheets();
    }

    Workbook write()
    {
        project_rows();
        utilities();
        objects();
        connections();
        loads();
        criteria();
        cost_rows();
        return std::move(workbook_);
    }

private:
    void field(std::string_view name, Cell value, Cell units = {})
    {
        sheet_of(workbook_, layout::project_sheet).rows.push_back({text(name), std::move(value), std::move(units)});
    }

    void project_rows()
    {
        field("instance", Cell::of_number(project_.instance));
        field("name", text(project_.name));
        field("scenario", text(project_.scenario));
        field("unit system", Cell::of_number(project_.unit_system));
        field("simulation case", text(!project_.has_sim_case ? "none" : project_.sim_case_valid ? "valid" : "not valid"));
        if (project_.has_sim_case) field("simulator type", Cell::of_number(project_.sim_type));
        field("utility streams",
              text(!project_.has_utility_streams ? "none" : project_.utility_streams_valid ? "valid" : "not valid"));
        std::string configurations;
        for (const int class_id : project_.configurations)
            configurations += (configurations.empty() ? "" : ", ") + std::to_string(class_id);
        if (!configurations.empty()) field("configurations", text(configurations));
        databases();
        if (project_.has_electrical_loads) {
            field("electrical loads", text("given"));
            if (project_.total_kw) field("electrical loads total", number(*project_.total_kw), text("KW"));
        }
        if (project_.electrical_load_file) field("electrical load file", text(*project_.electrical_load_file));
        // The "Cost rows" sheet is the rows as they are, even none: a
        // workbook without this field and without rows gets the default ones.
        field("cost rows", text("listed"));
    }

    // The database slots of the "Project" rows, when reading them back
    // first and the rest of the databases after keeps every database,
    // object and slot in its place; else every database slot in "Slots".
    void databases()
    {
        std::vector<const layout::DatabaseField*> fields;
        for (const layout::DatabaseField& field : layout::database_fields) {
            const Database* database = project_.databases.find(field.database);
            const SlotTable* object = database ? database->find(field.object) : nullptr;
            if (object == nullptr) continue;
            if (!field.slot.empty()) {
                const Value* value = object->find(field.slot);
                if (value == nullptr || value->kind != field.kind) continue;
            }
            fields.push_back(&field);
        }
        if (!keeps_database_order(fields)) fields.clear();
        std::set<std::pair<std::string, std::string>> made;  // database, object
        std::set<std::tuple<std::string, std::string, std::string>> given;
        for (const layout::DatabaseField* db_field : fields) {
            made.emplace(db_field->database, db_field->object);
            if (db_field->slot.empty()) {
                field(db_field->field, text("yes"));
                continue;
            }
            given.emplace(db_field->database, db_field->object, db_field->slot);
            const Value& value = *project_.databases.find(db_field->database)->find(db_field->object)->find(db_field->slot);
            if (value.kind == Value::Kind::number) field(db_field->field, number(value.number), text(value.units));
            else field(db_field->field, text(value.text));
        }
        Sheet& slots = sheet_of(workbook_, layout::slots_sheet);
        for (const auto& [database, objects] : project_.databases) {
            bool database_shown = false;
            for (const auto& [object, table] : objects) {
                const std::string owner = database.str() + " / " + object.str();
                bool object_shown = made.contains({database.str(), object.str()});
                for (const auto& [slot, value] : table) {
                    if (given.contains({database.str(), object.str(), slot.str()})) continue;
                    slots.rows.push_back(slot_row("database", owner, slot.view(), value, false));
                    object_shown = true;
                }
                if (!object_shown) slots.rows.push_back({text("database"), text(owner)});
                database_shown = true;
            }
            if (!database_shown) slots.rows.push_back({text("database"), text(database.view())});
        }
    }

    // Whether making `fields` first, in their order, then the rest of the
    // databases' slots in theirs, gives the databases in their order.
    bool keeps_database_order(const std::vector<const layout::DatabaseField*>& fields) const
    {
        using Names = std::vector<std::string>;
        std::vector<std::pair<std::string, std::vector<std::pair<std::string, Names>>>> made;
        const auto add = [&](std::string_view database, std::string_view object, std::string_view slot) {
            auto db = std::find_if(made.begin(), made.end(), [&](const auto& d) { return d.first == database; });
            if (db == made.end()) db = made.insert(made.end(), {std::string(database), {}});
            if (object.empty()) return;
            auto obj = std::find_if(db->second.begin(), db->second.end(), [&](const auto& o) { return o.first == object; });
            if (obj == db->second.end()) obj = db->second.insert(db->second.end(), {std::string(object), {}});
            if (!slot.empty() && std::find(obj->second.begin(), obj->second.end(), slot) == obj->second.end())
                obj->second.emplace_back(slot);
        };
        for (const layout::DatabaseField* field : fields) add(field->database, field->object, field->slot);
        for (const auto& [database, objects] : project_.databases) {
            add(database.view(), "", "");
            for (const auto& [object, table] : objects) {
                add(database.view(), object.view(), "");
                for (const auto& [slot, value] : table) add(database.view(), object.view(), slot.view());
            }
        }
        std::size_t db_at = 0;
        for (const auto& [database, objects] : project_.databases) {
            if (db_at >= made.size() || made[db_at].first != database.view()) return false;
            std::size_t object_at = 0;
            for (const auto& [object, table] : objects) {
                const auto& made_objects = made[db_at].second;
                if (object_at >= made_objects.size() || made_objects[object_at].first != object.view()) return false;
                std::size_t slot_at = 0;
                for (const auto& [slot, value] : table) {
                    const Names& names = made_objects[object_at].second;
                    if (slot_at >= names.size() || names[slot_at] != slot.view()) return false;
                    ++slot_at;
                }
                ++object_at;
            }
            ++db_at;
        }
        return true;
    }

    void utilities()
    {
        // The streams' Utility column offers the project's utilities.
        auto& choices = sheet_of(workbook_, layout::streams_sheet).columns[stream_utility_column].choices;
        std::vector<std::string> names;
        for (const auto& [name, entry] : project_.entries) names.push_back(name.str());
        choices.insert(choices.begin(), names.begin(), names.end());
        Sheet& sheet = sheet_of(workbook_, layout::utilities_sheet);
        Sheet& slots = sheet_of(workbook_, layout::slots_sheet);
        for (const auto& [name, entry] : project_.entries) {
            Row row{text(name.view()), entry.valid ? Cell{} : text("no")};
            const std::size_t taken = take_columns(entry.slots, layout::entry_columns, row);
            sheet.rows.push_back(std::move(row));
            rest_of_slots(slots, "entry", name.view(), entry.slots, taken, entry.defaults);
        }
    }

    static bool is_stream(int class_id)
    {
        return std::find(layout::stream_classes.begin(), layout::stream_classes.end(), class_id) !=
               layout::stream_classes.end();
    }

    // Which convenient sheet an object goes to: 0 areas, 1 items, 2
    // streams, 3 the plain "Objects" sheet, for one that fits none.
    static int group_of(const Object& object)
    {
        if (object.class_id == layout::area_class && !object.stream_name && object.model.empty() && object.area.empty())
            return 0;
        if (object.class_id == layout::item_class && !object.stream_name) return 1;
        if (is_stream(object.class_id) && object.model.empty() && object.area.empty() &&
            !(object.stream_name && object.stream_name->empty()))
            return 2;
        return 3;
    }

    void objects()
    {
        // The reader takes the sheets in turn: the objects are read back in
        // their order only when they stand grouped as the sheets are.
        int last = 0;
        grouped_ = true;
        for (const Object& object : project_.objects) {
            const int group = group_of(object);
            if (group < last) grouped_ = false;
            last = std::max(last, group);
        }
        Sheet& slots = sheet_of(workbook_, layout::slots_sheet);
        for (const Object& object : project_.objects) {
            const int group = grouped_ ? group_of(object) : 3;
            Row row;
            std::size_t taken = 0;
            if (group == 0) {
                row = {text(object.name), optional_number(object.ref_id)};
                taken = take_columns(object.slots, layout::area_columns, row);
            } else if (group == 1) {
                row = {text(object.name), optional_number(object.ref_id), text(object.model), text(object.area)};
                taken = take_columns(object.slots, layout::item_columns, row);
                row.push_back(Cell{});  // the load, filled by loads()
            } else if (group == 2) {
                row = {text(object.name), Cell::of_number(object.class_id), optional_number(object.ref_id),
                       object.stream_name ? text(*object.stream_name) : Cell{}};
                taken = take_columns(object.slots, layout::stream_columns, row);
                row.resize(row.size() + 4);  // the connections, filled by connections()
            } else {
                const bool empty_name = object.stream_name && object.stream_name->empty();
                row = {text(object.name), Cell::of_number(object.class_id), optional_number(object.ref_id),
                       object.stream_name ? text(*object.stream_name) : Cell{}, text(object.model), text(object.area),
                       empty_name ? text("yes") : Cell{}};
            }
            static constexpr std::array<std::string_view, 4> sheets = {layout::areas_sheet, layout::items_sheet,
                                                                       layout::streams_sheet, layout::objects_sheet};
            sheet_of(workbook_, sheets[static_cast<std::size_t>(group)]).rows.push_back(std::move(row));
            rest_of_slots(slots, "object", object.name, object.slots, taken, object.defaults);
        }
    }

    // The connections in the Streams sheet's From and To columns, when
    // reading them back (each stream's side 1, then side 2, in the streams'
    // order) gives them in their order; else in the "Connections" sheet.
    void connections()
    {
        Sheet& streams = sheet_of(workbook_, layout::streams_sheet);
        std::unordered_map<std::string_view, std::size_t> row_of;
        row_of.reserve(streams.rows.size());
        for (std::size_t i = 0; i < streams.rows.size(); ++i) row_of[streams.rows[i][0].text] = i;
        std::vector<std::array<const Connection*, 2>> sides(streams.rows.size(), {nullptr, nullptr});
        bool fits = grouped_;
        for (const Connection& connection : project_.connections) {
            const auto row = row_of.find(connection.stream);
            if (!fits || row == row_of.end() || (connection.direction != 1 && connection.direction != 2)) {
                fits = false;
                break;
            }
            const Connection*& side = sides[row->second][static_cast<std::size_t>(connection.direction - 1)];
            if (side != nullptr) fits = false;
            side = &connection;
        }
        if (fits) {
            std::size_t at = 0;
            for (const auto& pair : sides)
                for (const Connection* connection : pair)
                    if (connection != nullptr)
                        fits = fits && at < project_.connections.size() && &project_.connections[at++] == connection;
        }
        if (fits) {
            const std::size_t first = streams.columns.size() - 4;
            for (std::size_t i = 0; i < sides.size(); ++i) {
                for (std::size_t side = 0; side < 2; ++side) {
                    const Connection* connection = sides[i][side];
                    if (connection == nullptr) continue;
                    streams.rows[i][first + 2 * side] = text(connection->item);
                    streams.rows[i][first + 2 * side + 1] = text(connection->connector);
                }
            }
            return;
        }
        Sheet& plain = sheet_of(workbook_, layout::connections_sheet);
        for (const Connection& connection : project_.connections) {
            plain.rows.push_back({text(connection.stream), text(connection.item),
                                  Cell::of_number(connection.direction), text(connection.connector)});
        }
    }

    // The loads in the Items sheet, when they are the items' own, one each,
    // in the items' order; else in the "Loads" sheet.
    void loads()
    {
        if (!project_.has_electrical_loads) return;
        Sheet& items = sheet_of(workbook_, layout::items_sheet);
        const std::size_t load_column = items.columns.size() - 1;
        bool fits = true;
        std::size_t next = 0;
        std::vector<std::pair<std::size_t, double>> placed;
        for (const ElectricalLoad& load : project_.electrical_loads) {
            while (next < items.rows.size() &&
                   !(items.rows[next][1].kind == Cell::Kind::number && items.rows[next][1].number == load.ref_id))
                ++next;
            if (next == items.rows.size()) {
                fits = false;
                break;
            }
            placed.emplace_back(next++, load.kw);
        }
        if (fits) {
            for (const auto& [row, kw] : placed) items.rows[row][load_column] = number(kw);
            return;
        }
        Sheet& plain = sheet_of(workbook_, layout::loads_sheet);
        for (const ElectricalLoad& load : project_.electrical_loads)
            plain.rows.push_back({Cell::of_number(load.ref_id), number(load.kw)});
    }

    void criteria()
    {
        Sheet& sheet = sheet_of(workbook_, layout::criteria_sheet);
        for (const auto& [group, criteria] : project_.design_criteria)
            for (const auto& [name, criterion] : criteria)
                sheet.rows.push_back({text(group.view()), text(name.view()), number(criterion.value), text(criterion.units)});
    }

    void cost_rows()
    {
        Sheet& sheet = sheet_of(workbook_, layout::cost_rows_sheet);
        for (const CostRow& row : project_.cost_rows) {
            sheet.rows.push_back({text(row.name), text(row.cost_slot), text(row.value),
                                  row.number ? text(std::to_string(*row.number)) : Cell{}});
        }
    }

    const Project& project_;
    Workbook workbook_;
    bool grouped_ = true;
};

}  // namespace

Workbook project_workbook(const Project& project) { return ProjectWriter(project).write(); }

Workbook empty_workbook()
{
    Workbook workbook;
    workbook.sheets = project_sheets();
    return workbook;
}

std::vector<std::string> project_sheet_names()
{
    std::vector<std::string> names;
    for (const Sheet& sheet : project_sheets()) names.push_back(sheet.name);
    return names;
}

Workbook template_workbook()
{
    Workbook workbook = empty_workbook();
    Sheet& project = sheet_of(workbook, layout::project_sheet);
    const auto field = [&](std::string_view name, Cell value, Cell units = {}) {
        project.rows.push_back({text(name), std::move(value), std::move(units)});
    };
    field("instance", Cell::of_number(1));
    field("name", {});
    field("scenario", text("Base"));
    field("unit system", Cell::of_number(0));
    field("simulation case", text("none"));
    field("utility streams", text("valid"));
    field("configurations", text("2105"));
    field("electricity price", {}, text("$/KWH"));
    field("fuel price", {}, text("$/MMBTU"));
    field("currency", text("$"));
    field("operating hours", Cell::of_number(8000));
    field("process utilities information", text("yes"));
    return workbook;
}

}  // namespace qxhost::sheets
