// Writing a project back as a project file, with every section the reader
// knows and in the reader's key order, so that the text reads back into an
// equal project.
#include <functional>

#include "json/json_writer.h"
#include "projfile/projfile.h"
#include "projfile/slot_value_json.h"
#include "host/textkit.h"
#include "host/unitkit.h"

namespace qxhost {

namespace {

// Each section is written as the reader reads it, key by key.
class ProjectWriter {
public:
    ProjectWriter(std::string& out, std::function<void(std::string&)> flush) : out_(out, std::move(flush)) {}

    void write(const Project& project)
    {
        out_.begin_object();
        member("format", "tovex-project/1");
        identity(project);
        if (project.has_sim_case) sim_case(project);
        if (!project.configurations.empty()) {
            out_.key("configurations");
            out_.begin_array();
            for (const int class_id : project.configurations) out_.integer(class_id);
            out_.end();
        }
        if (!project.design_criteria.empty()) design_criteria(project);
        if (project.has_utility_streams) utility_streams(project);
        out_.key("objects");
        out_.begin_array();
        for (const Object& object : project.objects) write(object);
        out_.end();
        out_.key("connections");
        out_.begin_array();
        for (const Connection& connection : project.connections) write(connection);
        out_.end();
        databases(project);
        // Written even when empty: a file without rows would get the default rows.
        out_.key("cost_rows");
        out_.begin_array();
        for (const CostRow& row : project.cost_rows) write(row);
        out_.end();
        if (project.has_electrical_loads) electrical_loads(project);
        if (project.electrical_load_file) member("electrical_load_file", *project.electrical_load_file);
        out_.end();
    }

private:
    void member(std::string_view key, std::string_view text)
    {
        out_.key(key);
        out_.string(text);
    }
    void member(std::string_view key, std::int64_t number)
    {
        out_.key(key);
        out_.integer(number);
    }
    void flag(std::string_view key, bool value)
    {
        out_.key(key);
        out_.boolean(value);
    }
    void slots(std::string_view key, const SlotTable& table, std::string_view owner)
    {
        out_.key(key);
        write_slot_table(out_, table, owner);
    }

    void identity(const Project& project)
    {
        out_.key("project");
        out_.begin_object();
        member("instance", std::int64_t{project.instance});
        member("name", project.name);
        member("scenario", project.scenario);
        member("unit_system", std::int64_t{project.unit_system});
        out_.end();
    }

    void sim_case(const Project& project)
    {
        out_.key("simulation_case");
        out_.begin_object();
        member("sim_type", std::int64_t{project.sim_type});
        if (!project.sim_case_valid) flag("valid", false);
        out_.end();
    }

    void design_criteria(const Project& project)
    {
        out_.key("design_criteria");
        out_.begin_object();
        for (const auto& [group_name, criteria] : project.design_criteria) {
            out_.key(group_name.str());
            out_.begin_object();
            for (const auto& [name, criterion] : criteria) {
                out_.key(name.str());
                write_number_with_units(out_, criterion.value, criterion.units);
            }
            out_.end();
        }
        out_.end();
    }

    void utility_streams(const Project& project)
    {
        out_.key("utility_streams");
        out_.begin_object();
        if (!project.utility_streams_valid) flag("valid", false);
        out_.key("entries");
        out_.begin_array();
        for (const auto& [name, entry] : project.entries) {
            out_.begin_object();
            member("name", name.str());
            slots("slots", entry.slots, name.str());
            if (!entry.defaults.empty()) slots("defaults", entry.defaults, name.str());
            if (!entry.valid) flag("valid", false);
            out_.end();
        }
        out_.end();
        out_.end();
    }

    void write(const Object& object)
    {
        out_.begin_object();
        member("name", object.name);
        member("class", std::int64_t{object.class_id});
        if (object.ref_id) member("ref_id", std::int64_t{*object.ref_id});
        if (object.stream_name) member("stream_name", *object.stream_name);
        if (!object.model.empty()) member("model", object.model);
        if (!object.area.empty()) member("area", object.area);
        slots("slots", object.slots, object.name);
        if (!object.defaults.empty()) slots("defaults", object.defaults, object.name);
        out_.end();
    }

    void write(const Connection& connection)
    {
        out_.begin_object();
        member("stream", connection.stream);
        member("item", connection.item);
        member("direction", std::int64_t{connection.direction});
        member("connector", connection.connector);
        out_.end();
    }

    void databases(const Project& project)
    {
        out_.key("databases");
        out_.begin_object();
        std::string owner;
        for (const auto& [name, objects] : project.databases) {
            out_.key(name.str());
            out_.begin_object();
            for (const auto& [object_name, table] : objects) {
                owner.assign(name.str()).append("/").append(object_name.str());
                slots(object_name.str(), table, owner);
            }
            out_.end();
        }
        out_.end();
    }

    void write(const CostRow& row)
    {
        warn_unless_utf8(row, "the state");
        out_.begin_object();
        member("name", row.name);
        member("cost_slot", row.cost_slot);
        member("value", row.value);
        if (row.number) {
            out_.key("number");
            out_.unsigned_integer(*row.number);
        }
        out_.end();
    }

    void electrical_loads(const Project& project)
    {
        out_.key("electrical_loads");
        out_.begin_object();
        if (project.total_kw) {
            out_.key("total_kw");
            out_.number(*project.total_kw);
        }
        out_.key("items");
        out_.begin_array();
        for (const ElectricalLoad& load : project.electrical_loads) {
            out_.begin_object();
            member("ref_id", std::int64_t{load.ref_id});
            out_.key("kw");
            out_.number(load.kw);
            out_.end();
        }
        out_.end();
        out_.end();
    }

    JsonWriter out_;
};

}  // namespace

void warn_unless_utf8(std::string_view text, std::string_view place, std::string_view output)
{
    if (is_utf8(text)) return;
    std::string note = "a text that is not valid UTF-8, written to ";
    note.append(output).append(" with U+FFFD in place of its bad bytes");
    unitkit_warn(place, note);
}

void warn_unless_utf8(const CostRow& row, std::string_view output)
{
    const std::string place = "cost row " + row.name;
    warn_unless_utf8(row.name, place + " / name", output);
    warn_unless_utf8(row.cost_slot, place + " / cost_slot", output);
    warn_unless_utf8(row.value, place + " / value", output);
}

void write_project_json(const Project& project, const std::function<void(std::string_view)>& write)
{
    std::string text;
    ProjectWriter writer(text, [&](std::string& piece) { write(piece); });
    writer.write(project);
    text += '\n';
    write(text);
}

std::string write_project_json(const Project& project)
{
    std::string text;
    ProjectWriter(text, {}).write(project);
    text += '\n';
    return text;
}

}  // namespace qxhost
