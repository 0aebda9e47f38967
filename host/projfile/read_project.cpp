// Reading a project file: the document is checked completely, section by
// section, before anything of it is handed on.
//
// The objects and the connections, nearly all of a large file, are taken
// from the parser one by one instead of standing in the document: an object
// is read as soon as it is complete, a connection is kept in its final form.
// What they would have reported is kept and reported in its place in the
// order of the sections, so a file gives the same first error either way.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "projfile/json_checks.h"
#include "model/run_inputs.h"
#include "projfile/json_document.h"
#include "projfile/projfile.h"
#include "projfile/slot_value_json.h"

namespace qxhost {

namespace {

constexpr const char* project_format = "tovex-project/1";

class ProjectReader : public ElementSink {
public:
    explicit ProjectReader(Project& project) : project_(project) {}

    bool streams(std::string_view key) const override { return key == "objects" || key == "connections"; }
    bool holds_nul(std::string_view key) const override { return key == "electrical_load_file"; }

    void take(std::string_view key, std::size_t index, const JsonValue& element) override
    {
        if (key == "objects") {
            take_object(index, element);
        } else {
            take_connection(index, element);
        }
    }

    void read(const JsonValue& document)
    {
        const JsonObject top = expect_object(
            document, "",
            {"format", "project", "simulation_case", "configurations", "design_criteria", "utility_streams",
             "objects", "connections", "databases", "cost_rows", "electrical_loads", "electrical_load_file"});
        if (const JsonValue* format = member(top, "format")) read_format(*format);
        read_identity(required_member(top, "project", ""));
        if (const JsonValue* sim_case = member(top, "simulation_case")) read_sim_case(*sim_case);
        if (const JsonValue* configurations = member(top, "configurations")) read_configurations(*configurations);
        if (const JsonValue* criteria = member(top, "design_criteria")) read_design_criteria(*criteria);
        if (const JsonValue* streams = member(top, "utility_streams")) read_utility_streams(*streams);
        if (const JsonValue* objects = member(top, "objects")) read_objects(*objects);
        read_connections(member(top, "connections"));
        if (const JsonValue* databases = member(top, "databases")) read_databases(*databases);
        if (const JsonValue* rows = member(top, "cost_rows")) read_cost_rows(*rows);
        else project_.cost_rows = default_cost_rows(project_);
        if (const JsonValue* loads = member(top, "electrical_loads")) read_electrical_loads(*loads);
        if (const JsonValue* file = member(top, "electrical_load_file")) {
            project_.electrical_load_file = expect_string(*file, "/electrical_load_file");
        }
    }

private:
    // The first fault of a connection's form, and the name checks that
    // come after it in the connection.
    struct FormFault {
        enum Before { stream_name, item_name, nothing };
        std::size_t index;
        Before before;
        InvalidValue error;
    };

    void read_format(const JsonValue& format)
    {
        if (expect_string(format, "/format") != project_format) {
            invalid("/format", std::string("expected \"") + project_format + "\", found " + value_excerpt(format));
        }
    }

    void read_identity(const JsonValue& json)
    {
        const JsonPointer at("/project");
        const auto& object = expect_object(json, at, {"instance", "name", "scenario", "unit_system"});
        project_.instance = expect_uint32(required_member(object, "instance", at), at / "instance");
        project_.name = expect_string(required_member(object, "name", at), at / "name");
        project_.scenario = expect_string(required_member(object, "scenario", at), at / "scenario");
        if (const JsonValue* units = member(object, "unit_system")) {
            project_.unit_system = expect_int(*units, at / "unit_system");
        }
    }

    void read_sim_case(const JsonValue& json)
    {
        const JsonPointer at("/simulation_case");
        const auto& object = expect_object(json, at, {"valid", "sim_type"});
        project_.has_sim_case = true;
        project_.sim_case_valid = true;
        if (const JsonValue* valid = member(object, "valid")) project_.sim_case_valid = expect_bool(*valid, at / "valid");
        if (const JsonValue* type = member(object, "sim_type")) project_.sim_type = expect_int(*type, at / "sim_type");
    }

    void read_configurations(const JsonValue& json)
    {
        const auto& ids = expect_array(json, "/configurations");
        for (std::size_t i = 0; i < ids.size(); ++i) {
            project_.configurations.push_back(expect_int(ids[i], JsonPointer("/configurations") / i));
        }
    }

    void read_design_criteria(const JsonValue& json)
    {
        const JsonPointer at("/design_criteria");
        for (const auto& [group_name, group] : expect_any_object(json, at)) {
            const JsonPointer group_at = at / group_name;
            auto& criteria = project_.design_criteria.get_or_add(group_name);
            for (const auto& [name, value] : expect_any_object(group, group_at)) {
                auto [number, units] = number_with_units_from_json(value, group_at / name);
                criteria.set(name, Criterion{number, std::move(units)});
            }
        }
    }

    void read_utility_streams(const JsonValue& json)
    {
        const JsonPointer at("/utility_streams");
        const auto& object = expect_object(json, at, {"valid", "entries"});
        project_.has_utility_streams = true;
        project_.utility_streams_valid = true;
        if (const JsonValue* valid = member(object, "valid")) {
            project_.utility_streams_valid = expect_bool(*valid, at / "valid");
        }
        const JsonValue* entries = member(object, "entries");
        if (entries == nullptr) return;
        const auto& list = expect_array(*entries, at / "entries");
        const JsonPointer entries_at = at / "entries";
        for (std::size_t i = 0; i < list.size(); ++i) read_entry(list[i], entries_at / i);
    }

    void read_entry(const JsonValue& json, const JsonPointer& at)
    {
        const auto& object = expect_object(json, at, {"name", "slots", "defaults", "valid"});
        const std::string_view name = expect_string(required_member(object, "name", at), at / "name");
        if (project_.entries.contains(name)) {
            invalid(at / "name", "duplicate entry name " + quoted_excerpt(name) + " (names of entries are unique)");
        }
        Entry entry;
        if (const JsonValue* slots = member(object, "slots")) entry.slots = slot_table_from_json(*slots, at / "slots");
        if (const JsonValue* defaults = member(object, "defaults")) {
            entry.defaults = slot_table_from_json(*defaults, at / "defaults");
        }
        if (const JsonValue* valid = member(object, "valid")) entry.valid = expect_bool(*valid, at / "valid");
        project_.entries.set(name, std::move(entry));
    }

    // Objects are read in file order as they come; after the first that is
    // not valid the rest are only dropped.
    void take_object(std::size_t index, const JsonValue& element)
    {
        if (object_error_) return;
        try {
            read_object(element, JsonPointer("/objects") / index);
        } catch (InvalidValue& error) {
            object_error_ = std::move(error);
        }
    }

    void read_objects(const JsonValue& json)
    {
        // The elements came through take(): what stands here must be an array.
        expect_array(json, "/objects");
        if (object_error_) throw *object_error_;
        // An area may be listed after the items it holds.
        for (std::size_t i = 0; i < project_.objects.size(); ++i) {
            const std::string& area = project_.objects[i].area;
            if (!area.empty() && !has_object(area)) {
                invalid(JsonPointer("/objects") / i / "area", "no object is named " + quoted_excerpt(area));
            }
        }
    }

    void read_object(const JsonValue& json, const JsonPointer& at)
    {
        const auto& object = expect_object(
            json, at, {"name", "class", "ref_id", "stream_name", "model", "area", "slots", "defaults"});
        Object read;
        read.name = expect_string(required_member(object, "name", at), at / "name");
        // An empty item name in a connection means that nothing is joined.
        if (read.name.empty()) invalid(at / "name", "expected a non-empty object name");
        if (const long first = project_.object_index(read.name); first >= 0) {
            invalid(at / "name", "duplicate object name " + quoted_excerpt(read.name) + " (also at " +
                                      (JsonPointer("/objects") / first).str() + "; names are unique)");
        }
        read.class_id = expect_int(required_member(object, "class", at), at / "class");
        if (const JsonValue* ref_id = member(object, "ref_id")) read_ref_id(read, *ref_id, at / "ref_id");
        if (const JsonValue* name = member(object, "stream_name")) read.stream_name = expect_string(*name, at / "stream_name");
        if (const JsonValue* model = member(object, "model")) read.model = expect_string(*model, at / "model");
        if (const JsonValue* area = member(object, "area")) read.area = expect_string(*area, at / "area");
        if (const JsonValue* slots = member(object, "slots")) read.slots = slot_table_from_json(*slots, at / "slots");
        if (const JsonValue* defaults = member(object, "defaults")) {
            read.defaults = slot_table_from_json(*defaults, at / "defaults");
        }
        project_.objects.push_back(std::move(read));
        project_.index.add(project_.objects);
    }

    bool has_object(std::string_view name) const { return project_.object_index(name) >= 0; }

    // A reference id names one object: a second object with the same id
    // would make the lookup by id depend on file order.
    void read_ref_id(Object& object, const JsonValue& json, const JsonPointer& at)
    {
        const std::uint32_t ref_id = expect_uint32(json, at);
        const auto& by_ref_id = project_.index.object_by_ref_id;
        if (const auto first = by_ref_id.find(ref_id); first != by_ref_id.end()) {
            invalid(at, "duplicate ref_id " + std::to_string(ref_id) + " (also at " +
                            (JsonPointer("/objects") / first->second).str() + "/ref_id; reference ids are unique)");
        }
        object.ref_id = ref_id;
    }

    // Every connection is kept as it will be stored. The names it gives are
    // checked once every object is known; a fault of its form is kept, to be
    // reported in its place among those checks.
    void take_connection(std::size_t index, const JsonValue& element)
    {
        Connection connection;
        if (!take_usual_connection(element, connection)) read_connection_form(index, element, connection);
        taken_connections_.push_back(std::move(connection));
    }

    // True when `element` has only the four keys, "stream" a text, "item"
    // a text or absent, "direction" 1 or 2 and "connector" a text or absent:
    // then its form has no fault to find.
    static bool take_usual_connection(const JsonValue& element, Connection& connection)
    {
        if (!element.is_object()) return false;
        const JsonValue* stream = nullptr;
        const JsonValue* item = nullptr;
        const JsonValue* direction = nullptr;
        const JsonValue* connector = nullptr;
        for (const auto& [key, value] : element.members()) {
            const JsonValue** slot = key == "stream" ? &stream : key == "item" ? &item : key == "direction" ? &direction
                                   : key == "connector" ? &connector : nullptr;
            if (slot == nullptr) return false;
            *slot = &value;
        }
        if (stream == nullptr || !stream->is_string() || (item != nullptr && !item->is_string())) return false;
        if (direction == nullptr || !is_direction(*direction)) return false;
        if (connector != nullptr && !connector->is_string()) return false;
        connection.stream = stream->string();
        if (item != nullptr) connection.item = item->string();
        connection.direction = static_cast<int>(direction->integer());
        if (connector != nullptr) connection.connector = connector->string();
        return true;
    }

    static bool is_direction(const JsonValue& value)
    {
        return value.is_number_integer() && (value.integer() == 1 || value.integer() == 2);
    }

    // Reads a connection field by field, up to the first fault of its form,
    // and notes which name checks come before that fault.
    void read_connection_form(std::size_t index, const JsonValue& json, Connection& connection)
    {
        const JsonPointer at = JsonPointer("/connections") / index;
        FormFault::Before before = FormFault::stream_name;
        try {
            const auto& object = expect_object(json, at, {"stream", "item", "direction", "connector"});
            connection.stream = expect_string(required_member(object, "stream", at), at / "stream");
            before = FormFault::item_name;
            if (const JsonValue* item = member(object, "item")) connection.item = expect_string(*item, at / "item");
            before = FormFault::nothing;
            const JsonValue& direction = required_member(object, "direction", at);
            if (!is_direction(direction)) {
                invalid(at / "direction", "expected 1 or 2, found " + value_excerpt(direction));
            }
            connection.direction = static_cast<int>(direction.integer());
            if (const JsonValue* connector = member(object, "connector")) {
                connection.connector = expect_string(*connector, at / "connector");
            }
        } catch (InvalidValue& error) {
            form_faults_.push_back({index, before, std::move(error)});
        }
    }

    // The elements came through take(): what stands here must be an array.
    // The index links each connection to its objects, which tells the names
    // that are not there; the connections are then checked in file order,
    // so the first error is the one that file order gives.
    void read_connections(const JsonValue* json)
    {
        if (json != nullptr) expect_array(*json, "/connections");
        project_.connections = std::move(taken_connections_);
        taken_connections_ = {};
        project_.index.link(project_.objects, project_.connections);
        auto fault = form_faults_.begin();
        for (std::size_t i = 0; i < project_.connections.size(); ++i) {
            const bool faulty = fault != form_faults_.end() && fault->index == i;
            check_connection(i, faulty ? &*fault++ : nullptr);
        }
        form_faults_ = {};
    }

    // Its names, each after the part of its form that stands before it.
    void check_connection(std::size_t index, const FormFault* fault) const
    {
        const Connection& connection = project_.connections[index];
        const auto at = [index] { return JsonPointer("/connections") / index; };
        if (fault != nullptr && fault->before == FormFault::stream_name) throw fault->error;
        if (project_.index.connection_stream[index] < 0) {
            invalid(at() / "stream", "no object is named " + quoted_excerpt(connection.stream));
        }
        if (fault != nullptr && fault->before == FormFault::item_name) throw fault->error;
        if (!connection.item.empty() && project_.index.connection_item[index] < 0) {
            invalid(at() / "item",
                    "no object is named " + quoted_excerpt(connection.item) + " (use \"\" for nothing joined)");
        }
        if (fault != nullptr) throw fault->error;
    }

    void read_databases(const JsonValue& json)
    {
        for (const auto& [name, objects] : expect_any_object(json, "/databases")) {
            const JsonPointer at = JsonPointer("/databases") / name;
            Database& database = project_.databases.get_or_add(name);
            for (const auto& [object_name, slots] : expect_any_object(objects, at)) {
                database.set(object_name, slot_table_from_json(slots, at / object_name));
            }
        }
    }

    void read_cost_rows(const JsonValue& json)
    {
        const auto& list = expect_array(json, "/cost_rows");
        for (std::size_t i = 0; i < list.size(); ++i) {
            const JsonPointer at = JsonPointer("/cost_rows") / i;
            const auto& object = expect_object(list[i], at, {"name", "cost_slot", "value", "number"});
            CostRow row;
            row.name = expect_string(required_member(object, "name", at), at / "name");
            row.cost_slot = expect_string(required_member(object, "cost_slot", at), at / "cost_slot");
            if (const JsonValue* value = member(object, "value")) row.value = expect_string(*value, at / "value");
            if (const JsonValue* number = member(object, "number")) row.number = expect_uint64(*number, at / "number");
            project_.cost_rows.push_back(std::move(row));
        }
    }

    void read_electrical_loads(const JsonValue& json)
    {
        const JsonPointer at("/electrical_loads");
        const auto& object = expect_object(json, at, {"total_kw", "items"});
        project_.has_electrical_loads = true;
        if (const JsonValue* total = member(object, "total_kw")) project_.total_kw = expect_number(*total, at / "total_kw");
        const JsonValue* items = member(object, "items");
        if (items == nullptr) return;
        const auto& list = expect_array(*items, at / "items");
        const JsonPointer items_at = at / "items";
        for (std::size_t i = 0; i < list.size(); ++i) {
            const JsonPointer item_at = items_at / i;
            const auto& item = expect_object(list[i], item_at, {"ref_id", "kw"});
            ElectricalLoad load;
            load.ref_id = expect_uint32(required_member(item, "ref_id", item_at), item_at / "ref_id");
            load.kw = expect_number(required_member(item, "kw", item_at), item_at / "kw");
            project_.electrical_loads.push_back(load);
        }
    }

    Project& project_;
    std::optional<InvalidValue> object_error_;
    // Connections in file order as taken from the parser, and the faults of
    // their forms in file order.
    std::vector<Connection> taken_connections_;
    std::vector<FormFault> form_faults_;
};

// Reads the document through `parse`, which hands the objects and the
// connections to the reader as they come.
template <class Parse>
std::unique_ptr<Project> read_document(const std::string& file_label, Parse parse)
{
    auto project = std::make_unique<Project>();
    ProjectReader reader(*project);
    const JsonDocument document = parse(reader);
    try {
        reader.read(document.root);
    } catch (const InvalidValue& error) {
        const std::string where = error.pointer.empty() ? "the top level" : error.pointer;
        throw ProjectFileError(file_label + ": at " + pointer_excerpt(where) + ": " + error.reason);
    }
    return project;
}

}  // namespace

std::unique_ptr<Project> parse_project(std::string_view text, const std::string& file_label)
{
    return read_document(file_label,
                         [&](ProjectReader& reader) { return parse_json_document(text, file_label, &reader); });
}

std::unique_ptr<Project> read_project_file(const std::string& path, const std::function<void(std::uint64_t)>& progress)
{
    return read_document(path, [&](ProjectReader& reader) { return parse_json_file(path, &reader, progress); });
}

}  // namespace qxhost
