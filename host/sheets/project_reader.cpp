// A workbook read as a project: the sheets are turned into the project
// file's JSON, in the order project_layout.h gives, and that is read by the
// project file reader, so that every check of the file's format applies
// and a workbook and a file make the same project. What only a cell can
// say is said here, naming the cell.
#include <algorithm>
#include <charconv>
#include <functional>
#include <cmath>
#include <map>
#include <deque>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include <rapidjson/document.h>

#include "checks/unit_hints.h"
#include "json/json_writer.h"
#include "project_layout.h"
#include "read_sheet.h"
#include "projfile/projfile.h"
#include "sheet_columns.h"
#include "sheets/project_sheets.h"

namespace qxhost::sheets {

namespace {

using layout::SlotColumn;

// Where each object is named, for references and for names given twice.
struct Named {
    const ReadSheet* sheet = nullptr;  // where it stands, named only when a message needs it
    std::size_t row = 0;
    std::optional<std::size_t> column;
};

class ProjectReader {
public:
    ProjectReader(const Workbook& workbook, const std::string& label)
        : label_(label),
          project_(workbook.sheet(layout::project_sheet), label),
          utilities_(workbook.sheet(layout::utilities_sheet), label),
          areas_(workbook.sheet(layout::areas_sheet), label),
          items_(workbook.sheet(layout::items_sheet), label),
          streams_(workbook.sheet(layout::streams_sheet), label),
          objects_(workbook.sheet(layout::objects_sheet), label),
          connections_(workbook.sheet(layout::connections_sheet), label),
          loads_(workbook.sheet(layout::loads_sheet), label),
          criteria_(workbook.sheet(layout::criteria_sheet), label),
          cost_rows_(workbook.sheet(layout::cost_rows_sheet), label),
          slots_(workbook.sheet(layout::slots_sheet), label),
          json_(text_, JsonLayout::member_per_line)
    {
        if (!project_.present())
            throw WorkbookError(label + ": no sheet \"" + std::string(layout::project_sheet) + "\"");
        // A column the reader does not know would be passed over in
        // silence: it is refused, naming its header.
        for (const Sheet& expected : project_sheets()) {
            const Sheet* given = workbook.sheet(expected.name);
            if (given == nullptr) continue;
            for (std::size_t c = 0; c < given->columns.size(); ++c) {
                const std::string& name = given->columns[c].name;
                const bool known = std::any_of(expected.columns.begin(), expected.columns.end(),
                                               [&](const Column& column) { return column.name == name; });
                if (known || name.empty()) continue;
                std::string columns;
                for (const Column& column : expected.columns) columns += (columns.empty() ? "" : ", ") + column.name;
                throw WorkbookError(label + ": " + given->name + "!" + a1_name(c, 1) + ": \"" + name +
                                    "\" is no column of the sheet (its columns: " + columns + ")");
            }
            // So would a value under no header.
            for (std::size_t r = 0; r < given->rows.size(); ++r)
                for (std::size_t c = 0; c < given->rows[r].size(); ++c)
                    if (!given->rows[r][c].empty() && (c >= given->columns.size() || given->columns[c].name.empty()))
                        throw WorkbookError(label + ": " + cell_name(given->name, r, c) +
                                            ": a value under no column's header");
        }
    }

    std::string read()
    {
        fields();
        slots_by_owner();
        names();
        json_.begin_object();
        json_.key("format").string("tovex-project/1");
        identity();
        configurations();
        criteria();
        utility_streams();
        objects();
        connections();
        databases();
        cost_rows();
        electrical_loads();
        json_.end();
        return text_;
    }

private:
    // The "Project" sheet's rows, by field.
    void fields()
    {
        static const std::set<std::string_view> known = [] {
            std::set<std::string_view> names = {"instance", "name", "scenario", "unit system", "simulation case",
                                                "simulator type", "utility streams", "configurations",
                                                "electrical loads", "electrical loads total", "electrical load file",
                                                "cost rows"};
            for (const auto& field : layout::database_fields) names.insert(field.field);
            return names;
        }();
        for (std::size_t row = 0; row < project_.rows(); ++row) {
            const std::string field = project_.text(row, "Field");
            if (field.empty()) continue;
            if (!known.contains(field)) project_.fail(row, "Field", "\"" + field + "\" is no field of a project");
            if (!field_rows_.emplace(field, row).second) project_.fail(row, "Field", "\"" + field + "\" is given twice");
        }
    }
    std::optional<std::size_t> field_row(std::string_view field) const
    {
        const auto found = field_rows_.find(std::string(field));
        return found == field_rows_.end() ? std::nullopt : std::optional(found->second);
    }
    std::string field_text(std::string_view field) const
    {
        const auto row = field_row(field);
        return row ? project_.text(*row, "Value") : std::string();
    }
    // One of the words a field takes; `otherwise` when the field is absent.
    std::string field_choice(std::string_view field, std::initializer_list<std::string_view> choices,
                             std::string_view otherwise) const
    {
        const auto row = field_row(field);
        if (!row) return std::string(otherwise);
        const std::string value = project_.text(*row, "Value");
        for (const std::string_view choice : choices)
            if (value == choice) return value;
        std::string list;
        for (const std::string_view choice : choices) list += (list.empty() ? "\"" : ", \"") + std::string(choice) + "\"";
        project_.fail(*row, "Value", "\"" + value + "\" is not one of " + list);
    }

    void identity()
    {
        json_.key("project").begin_object();
        for (const std::string_view required : {"instance", "name", "scenario"})
            if (!field_row(required))
                throw WorkbookError(label_ + ": " + std::string(layout::project_sheet) + ": no row \"" +
                                    std::string(required) + "\"");
        json_.key("instance").integer(*project_.whole(*field_row("instance"), "Value", 0, 4294967295LL));
        json_.key("name").string(field_text("name"));
        json_.key("scenario").string(field_text("scenario"));
        if (const auto row = field_row("unit system"))
            json_.key("unit_system").integer(project_.whole(*row, "Value", INT32_MIN, INT32_MAX).value_or(0));
        json_.end();
        const std::string sim_case = field_choice("simulation case", {"none", "valid", "not valid"}, "none");
        if (sim_case != "none") {
            json_.key("simulation_case").begin_object();
            if (const auto row = field_row("simulator type"))
                json_.key("sim_type").integer(project_.whole(*row, "Value", INT32_MIN, INT32_MAX).value_or(0));
            if (sim_case == "not valid") json_.key("valid").boolean(false);
            json_.end();
        }
    }

    void configurations()
    {
        const auto row = field_row("configurations");
        if (!row) return;
        const std::string list = project_.text(*row, "Value");
        json_.key("configurations").begin_array();
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            const std::string piece = list.substr(start, comma - start);
            const auto number = ReadSheet::parse_number(piece);
            if (!number || *number != std::floor(*number) || std::fabs(*number) > INT32_MAX)
                project_.fail(*row, "Value", "\"" + piece + "\" is not a class id");
            json_.integer(static_cast<std::int64_t>(*number));
            start = comma + 1;
        }
        json_.end();
    }

    void criteria()
    {
        if (criteria_.rows() == 0) return;
        // Grouped as the file groups them, each group where it first stands.
        std::vector<std::pair<std::string, std::vector<std::size_t>>> groups;
        for (std::size_t row = 0; row < criteria_.rows(); ++row) {
            const std::string group = criteria_.text(row, "Group");
            auto found = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == group; });
            if (found == groups.end()) found = groups.insert(groups.end(), {group, {}});
            found->second.push_back(row);
        }
        json_.key("design_criteria").begin_object();
        for (const auto& [group, rows] : groups) {
            json_.key(group).begin_object();
            for (const std::size_t row : rows) {
                json_.key(criteria_.text(row, "Criterion"));
                const auto value = criteria_.number(row, "Value");
                if (!value) criteria_.fail(row, "Value", "a criterion needs a number");
                number_value(*value, criteria_.text(row, "Units"));
            }
            json_.end();
        }
        json_.end();
    }

    // A number as the project file writes it: plain, with its units, or,
    // when it is not finite, as a text.
    void number_value(double value, const std::string& units)
    {
        if (!std::isfinite(value)) {
            json_.begin_object();
            json_.key("value").string(std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf");
            if (!units.empty()) json_.key("units").string(units);
            json_.end();
        } else if (units.empty()) {
            json_.number(value);
        } else {
            json_.begin_object();
            json_.key("value").number(value);
            json_.key("units").string(units);
            json_.end();
        }
    }

    // The "Slots" sheet's rows, by owner and by own or default.
    void slots_by_owner()
    {
        for (std::size_t row = 0; row < slots_.rows(); ++row) {
            const std::string of = slots_.text(row, "Of");
            if (of != "object" && of != "entry" && of != "database")
                slots_.fail(row, "Of", "\"" + of + "\" is not object, entry or database");
            const bool default_slot = slots_.text(row, "Default") == "yes";
            slot_rows_[owner_key(of, slots_.text(row, "Name"), default_slot)].rows.push_back(row);
        }
    }

    const std::vector<std::size_t>& rows_of(std::string_view of, std::string_view name, bool default_slot)
    {
        static const std::vector<std::size_t> none;
        const auto found = slot_rows_.find(owner_key(of, name, default_slot));
        if (found == slot_rows_.end()) return none;
        found->second.used = true;
        return found->second.rows;
    }

    void slot_row_value(std::size_t row)
    {
        const std::string form = slots_.text(row, "Form");
        if (form == "text") {
            json_.string(slots_.text(row, "Value"));
        } else if (form == "number") {
            const auto value = slots_.number(row, "Value");
            if (!value) slots_.fail(row, "Value", "a number slot needs a number");
            number_value(*value, slots_.text(row, "Units"));
        } else if (form == "list") {
            const std::string list = slots_.text(row, "Value");
            rapidjson::Document items;
            items.Parse(list.c_str(), list.size());
            bool texts = !items.HasParseError() && items.IsArray();
            if (texts)
                for (const auto& item : items.GetArray()) texts = texts && item.IsString();
            if (!texts) slots_.fail(row, "Value", "a list is written as a JSON array of texts, e.g. [\"a\", \"b\"]");
            json_.begin_array();
            for (const auto& item : items.GetArray()) json_.string(std::string_view(item.GetString(), item.GetStringLength()));
            json_.end();
        } else {
            slots_.fail(row, "Form", "\"" + form + "\" is not text, number or list");
        }
    }

    // An owner's slots: its columns', in column order, then its rows of
    // "Slots", in row order; then, under `defaults_key`, its defaults.
    template <std::size_t N>
    void slots_of(std::string_view of, std::string_view owner, const ReadSheet& sheet, std::size_t row,
                  const std::array<SlotColumn, N>& columns)
    {
        json_.key("slots").begin_object();
        // The slots the columns gave: a few short names.
        given_.clear();
        given_rows_.clear();
        for (const SlotColumn& column : columns) {
            const auto [value_column, units_column] = sheet.columns_of(column);
            if (column.kind == Value::Kind::text) {
                if (sheet.cell(row, value_column).empty()) continue;
                json_.key(column.slot).string(sheet.text_view(row, value_column));
            } else {
                const auto value = sheet.number(row, value_column);
                const std::string units(sheet.text_view(row, units_column));
                if (!value) {
                    if (!units.empty()) sheet.fail_at(row, units_column, "units without a number beside them");
                    continue;
                }
                if (!column.like.empty() && !units.empty() && !known_units(units)) {
                    const std::string near = checks::nearest_units(units, column.like);
                    sheet.fail_at(row, units_column,
                                  "\"" + units + "\" is not a unit" + (near.empty() ? "" : " (did you mean \"" + near + "\"?)"));
                }
                json_.key(column.slot);
                number_value(*value, units);
            }
            given_.push_back(column.slot);
        }
        for (const std::size_t slot_row : rows_of(of, owner, false)) {
            const std::string name = slots_.text(slot_row, "Slot");
            if (name.empty()) continue;
            if (std::find(given_.begin(), given_.end(), name) != given_.end() ||
                std::find(given_rows_.begin(), given_rows_.end(), name) != given_rows_.end())
                slots_.fail(slot_row, "Slot", "\"" + name + "\" of " + std::string(owner) + " is given twice");
            given_rows_.push_back(name);
            json_.key(name);
            slot_row_value(slot_row);
        }
        json_.end();
        const auto& defaults = rows_of(of, owner, true);
        if (defaults.empty()) return;
        json_.key("defaults").begin_object();
        for (const std::size_t slot_row : defaults) {
            json_.key(slots_.text(slot_row, "Slot"));
            slot_row_value(slot_row);
        }
        json_.end();
    }

    void utility_streams()
    {
        const std::string state =
            field_choice("utility streams", {"valid", "not valid", "none"}, utilities_.rows() > 0 ? "valid" : "none");
        if (state == "none") {
            if (utilities_.rows() > 0)
                utilities_.fail(0, "Name", "utilities are given while the Project sheet says \"utility streams\" none");
            return;
        }
        json_.key("utility_streams").begin_object();
        if (state == "not valid") json_.key("valid").boolean(false);
        json_.key("entries").begin_array();
        for (std::size_t row = 0; row < utilities_.rows(); ++row) {
            const std::string name = utilities_.text(row, "Name");
            if (name.empty()) utilities_.fail(row, "Name", "a utility needs a name");
            json_.begin_object();
            json_.key("name").string(name);
            slots_of("entry", name, utilities_, row, layout::entry_columns);
            const std::string valid = utilities_.text(row, "Valid");
            if (valid == "no") json_.key("valid").boolean(false);
            else if (!valid.empty()) utilities_.fail(row, "Valid", "blank or \"no\"");
            json_.end();
        }
        json_.end();
        json_.end();
    }

    // Every object's name, where it stands: a name given twice names both
    // cells, and a reference to no object names the cell that makes it.
    void names()
    {
        const auto add = [&](const ReadSheet& sheet, std::string_view column_name) {
            const auto column = sheet.column(column_name);
            for (std::size_t row = 0; row < sheet.rows(); ++row) {
                // The name stays where the workbook holds it; a number typed
                // as a name is kept as its text.
                std::string_view name = sheet.text_view(row, column);
                if (sheet.cell(row, column).kind == Cell::Kind::number) name = kept_names_.emplace_back(name);
                if (name.empty()) sheet.fail_at(row, column, "an object needs a name");
                const auto [at, added] = names_.try_emplace(name, Named{&sheet, row, column});
                if (!added)
                    sheet.fail_at(row, column, "\"" + std::string(name) + "\" is also at " +
                                                   at->second.sheet->where(at->second.row, at->second.column));
            }
        };
        add(areas_, "Name");
        add(items_, "Tag");
        add(streams_, "Tag");
        add(objects_, "Name");
    }

    void refers_to_object(const ReadSheet& sheet, std::size_t row, std::string_view column, std::string_view what)
    {
        const std::string name = sheet.text(row, column);
        if (name.empty() || names_.contains(name)) return;
        sheet.fail(row, column, "\"" + name + "\" is no " + std::string(what) + " of the workbook");
    }

    void common_object(const ReadSheet& sheet, std::size_t row, std::string_view name_column,
                       std::optional<int> class_id)
    {
        json_.key("name").string(sheet.text(row, name_column));
        json_.key("class").integer(class_id ? *class_id : *sheet.whole(row, "Class", INT32_MIN, INT32_MAX));
        if (const auto ref = sheet.whole(row, "Ref ID", 0, 4294967295LL)) json_.key("ref_id").integer(*ref);
    }

    void objects()
    {
        json_.key("objects").begin_array();
        for (std::size_t row = 0; row < areas_.rows(); ++row) {
            json_.begin_object();
            common_object(areas_, row, "Name", layout::area_class);
            slots_of("object", areas_.text(row, "Name"), areas_, row, layout::area_columns);
            json_.end();
        }
        for (std::size_t row = 0; row < items_.rows(); ++row) {
            json_.begin_object();
            common_object(items_, row, "Tag", layout::item_class);
            if (const std::string model = items_.text(row, "Model"); !model.empty()) json_.key("model").string(model);
            refers_to_object(items_, row, "Area", "area");
            if (const std::string area = items_.text(row, "Area"); !area.empty()) json_.key("area").string(area);
            slots_of("object", items_.text(row, "Tag"), items_, row, layout::item_columns);
            json_.end();
        }
        for (std::size_t row = 0; row < streams_.rows(); ++row) {
            json_.begin_object();
            common_object(streams_, row, "Tag", std::nullopt);
            if (const std::string name = streams_.text(row, "Stream name"); !name.empty())
                json_.key("stream_name").string(name);
            slots_of("object", streams_.text(row, "Tag"), streams_, row, layout::stream_columns);
            json_.end();
        }
        for (std::size_t row = 0; row < objects_.rows(); ++row) {
            json_.begin_object();
            common_object(objects_, row, "Name", std::nullopt);
            const std::string name = objects_.text(row, "Stream name");
            if (!name.empty() || objects_.text(row, "Empty stream name") == "yes") json_.key("stream_name").string(name);
            if (const std::string model = objects_.text(row, "Model"); !model.empty()) json_.key("model").string(model);
            refers_to_object(objects_, row, "Area", "area");
            if (const std::string area = objects_.text(row, "Area"); !area.empty()) json_.key("area").string(area);
            slots_of("object", objects_.text(row, "Name"), objects_, row, std::array<SlotColumn, 0>{});
            json_.end();
        }
        json_.end();
        // A row of "Slots" whose owner no sheet holds would be lost.
        // The first such row, in row order, whatever the map's order.
        std::optional<std::size_t> first;
        for (const auto& [owner, rows] : slot_rows_) {
            if (rows.used || slots_.text(rows.rows.front(), "Of") == "database") continue;
            if (!first || rows.rows.front() < *first) first = rows.rows.front();
        }
        if (first) {
            const std::string of = slots_.text(*first, "Of");
            const std::string name = slots_.text(*first, "Name");
            if (of == "object" && !names_.contains(name))
                slots_.fail(*first, "Name", "\"" + name + "\" is no object of the workbook");
            if (of == "entry") slots_.fail(*first, "Name", "\"" + name + "\" is no utility of the Utilities sheet");
        }
    }

    void connection(std::string_view stream, const ReadSheet& sheet, std::size_t row, std::string_view item_column,
                    std::string_view connector_column, int direction)
    {
        const std::string item = sheet.text(row, item_column);
        const std::string connector = sheet.text(row, connector_column);
        if (item.empty() && connector.empty()) return;
        refers_to_object(sheet, row, item_column, "item");
        json_.begin_object();
        json_.key("stream").string(stream);
        json_.key("item").string(item);
        json_.key("direction").integer(direction);
        json_.key("connector").string(connector);
        json_.end();
    }

    void connections()
    {
        json_.key("connections").begin_array();
        for (std::size_t row = 0; row < streams_.rows(); ++row) {
            const std::string stream = streams_.text(row, "Tag");
            connection(stream, streams_, row, "From item", "From connector", 1);
            connection(stream, streams_, row, "To item", "To connector", 2);
        }
        for (std::size_t row = 0; row < connections_.rows(); ++row) {
            refers_to_object(connections_, row, "Stream", "stream");
            connection(connections_.text(row, "Stream"), connections_, row, "Item", "Connector",
                       static_cast<int>(connections_.whole(row, "Direction", 1, 2).value_or(0)));
        }
        json_.end();
    }

    // The databases the "Project" rows make, in their order, then every
    // database row of "Slots", in row order.
    void databases()
    {
        struct Made {
            std::string name;
            std::vector<std::pair<std::string, std::vector<std::function<void()>>>> objects;
        };
        std::vector<Made> made;
        const auto object_of = [&](const std::string& database, const std::string& object)
            -> std::vector<std::function<void()>>* {
            auto db = std::find_if(made.begin(), made.end(), [&](const Made& m) { return m.name == database; });
            if (db == made.end()) db = made.insert(made.end(), Made{database, {}});
            if (object.empty()) return nullptr;
            auto obj = std::find_if(db->objects.begin(), db->objects.end(), [&](const auto& o) { return o.first == object; });
            if (obj == db->objects.end()) obj = db->objects.insert(db->objects.end(), {object, {}});
            return &obj->second;
        };
        std::set<std::tuple<std::string, std::string, std::string>> given;
        for (const layout::DatabaseField& field : layout::database_fields) {
            const auto row = field_row(field.field);
            if (!row || project_.cell(*row, "Value").empty()) continue;
            auto* slots = object_of(std::string(field.database), std::string(field.object));
            if (field.slot.empty()) continue;
            given.emplace(field.database, field.object, field.slot);
            const std::size_t at = *row;
            if (field.kind == Value::Kind::number) {
                const auto value = project_.number(at, "Value");
                const std::string units = project_.text(at, "Units");
                slots->push_back([this, &field, value, units] {
                    json_.key(field.slot);
                    number_value(*value, units);
                });
            } else {
                const std::string text = project_.text(at, "Value");
                slots->push_back([this, &field, text] { json_.key(field.slot).string(text); });
            }
        }
        for (std::size_t row = 0; row < slots_.rows(); ++row) {
            if (slots_.text(row, "Of") != "database") continue;
            const std::string owner = slots_.text(row, "Name");
            const std::size_t cut = owner.find(" / ");
            const std::string database = owner.substr(0, cut);
            const std::string object = cut == std::string::npos ? std::string() : owner.substr(cut + 3);
            auto* slots = object_of(database, object);
            const std::string slot = slots_.text(row, "Slot");
            if (slot.empty()) continue;
            if (slots == nullptr) slots_.fail(row, "Name", "a database slot needs \"DATABASE / object\"");
            if (!given.emplace(database, object, slot).second)
                slots_.fail(row, "Slot", "\"" + slot + "\" of " + owner + " is given twice");
            slots->push_back([this, row, slot] {
                json_.key(slot);
                slot_row_value(row);
            });
        }
        json_.key("databases").begin_object();
        for (const Made& database : made) {
            json_.key(database.name).begin_object();
            for (const auto& [object, slots] : database.objects) {
                json_.key(object).begin_object();
                for (const auto& write : slots) write();
                json_.end();
            }
            json_.end();
        }
        json_.end();
    }

    void cost_rows()
    {
        const bool listed = field_choice("cost rows", {"listed"}, "") == "listed";
        if (!listed && cost_rows_.rows() == 0) return;  // the reader makes the default rows
        json_.key("cost_rows").begin_array();
        for (std::size_t row = 0; row < cost_rows_.rows(); ++row) {
            json_.begin_object();
            json_.key("name").string(cost_rows_.text(row, "Name"));
            json_.key("cost_slot").string(cost_rows_.text(row, "Cost slot"));
            json_.key("value").string(cost_rows_.text(row, "Value"));
            const std::string number = cost_rows_.text(row, "Number");
            if (!number.empty()) {
                std::uint64_t value = 0;
                const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
                if (error != std::errc() || end != number.data() + number.size())
                    cost_rows_.fail(row, "Number", "\"" + number + "\" is not a whole number of 0 or more");
                json_.key("number").unsigned_integer(value);
            }
            json_.end();
        }
        json_.end();
    }

    void electrical_loads()
    {
        bool given = field_choice("electrical loads", {"given", "none"}, "none") == "given";
        std::vector<std::pair<std::int64_t, double>> loads;
        for (std::size_t row = 0; row < items_.rows(); ++row) {
            const auto kw = items_.number(row, "Electrical load [kW]");
            if (!kw) continue;
            const auto ref = items_.whole(row, "Ref ID", 0, 4294967295LL);
            if (!ref) items_.fail(row, "Ref ID", "an item with an electrical load needs its reference id");
            loads.emplace_back(*ref, *kw);
        }
        for (std::size_t row = 0; row < loads_.rows(); ++row) {
            const auto ref = loads_.whole(row, "Ref ID", 0, 4294967295LL);
            const auto kw = loads_.number(row, "kW");
            if (!ref || !kw) loads_.fail(row, "Ref ID", "a load needs a reference id and its kW");
            loads.emplace_back(*ref, *kw);
        }
        given = given || !loads.empty();
        if (given) {
            json_.key("electrical_loads").begin_object();
            if (const auto row = field_row("electrical loads total")) {
                if (const auto total = project_.number(*row, "Value")) {
                    json_.key("total_kw");
                    number_value(*total, "");
                }
            }
            json_.key("items").begin_array();
            for (const auto& [ref, kw] : loads) {
                json_.begin_object();
                json_.key("ref_id").integer(ref);
                json_.key("kw");
                number_value(kw, "");
                json_.end();
            }
            json_.end();
            json_.end();
        }
        if (const auto row = field_row("electrical load file"))
            json_.key("electrical_load_file").string(project_.text(*row, "Value"));
    }

    const std::string& label_;
    ReadSheet project_, utilities_, areas_, items_, streams_, objects_, connections_, loads_, criteria_, cost_rows_,
        slots_;
    std::string text_;
    JsonWriter json_;
    std::map<std::string, std::size_t> field_rows_;
    // "of", name, and own or default, in one key: a large plant looks up an
    // owner per object, twice.
    const std::string& owner_key(std::string_view of, std::string_view name, bool default_slot)
    {
        key_.assign(of).append(1, '\0').append(name).append(1, default_slot ? '1' : '0');
        return key_;
    }
    std::string key_;
    std::vector<std::string_view> given_;    // an owner's slots from its columns
    std::vector<std::string> given_rows_;     // and from its rows of "Slots"
    // Whether the host reads a units text, asked once per text: a plant
    // gives a handful of units over and over.
    bool known_units(const std::string& units)
    {
        auto [at, added] = known_units_.try_emplace(units, false);
        if (added) at->second = checks::known_units(units);
        return at->second;
    }
    std::unordered_map<std::string, bool> known_units_;
    struct OwnerRows {
        std::vector<std::size_t> rows;
        bool used = false;  // an owner no sheet holds would have its rows lost
    };
    std::unordered_map<std::string, OwnerRows> slot_rows_;
    std::unordered_map<std::string_view, Named> names_;
    std::deque<std::string> kept_names_;
};

}  // namespace

std::unique_ptr<Project> project_from_workbook(const Workbook& workbook, const std::string& label)
{
    const std::string text = ProjectReader(workbook, label).read();
    return parse_project(text, label);
}

}  // namespace qxhost::sheets
