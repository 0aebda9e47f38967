// Writing a project back as a project file, with every section the reader
// knows and in the reader's key order, so that the text reads back into an
// equal project.
#include "projfile/json_document.h"
#include "projfile/json_text.h"
#include "projfile/projfile.h"
#include "projfile/slot_value_json.h"
#include "host/textkit.h"
#include "host/unitkit.h"

namespace qxhost {

namespace {

Json identity_json(const Project& project)
{
    Json identity = Json::object();
    identity["instance"] = project.instance;
    identity["name"] = project.name;
    identity["scenario"] = project.scenario;
    identity["unit_system"] = project.unit_system;
    return identity;
}

Json sim_case_json(const Project& project)
{
    Json sim_case = Json::object();
    sim_case["sim_type"] = project.sim_type;
    if (!project.sim_case_valid) sim_case["valid"] = false;
    return sim_case;
}

Json design_criteria_json(const Project& project)
{
    Json groups = Json::object();
    for (const auto& [group_name, criteria] : project.design_criteria) {
        Json group = Json::object();
        for (const auto& [name, criterion] : criteria) {
            append_member(group, name.str(), number_with_units_to_json(criterion.value, criterion.units));
        }
        append_member(groups, group_name.str(), std::move(group));
    }
    return groups;
}

Json utility_streams_json(const Project& project)
{
    Json entries = Json::array();
    for (const auto& [name, entry] : project.entries) {
        Json json = Json::object();
        json["name"] = name;
        json["slots"] = slot_table_to_json(entry.slots, name.str());
        if (!entry.defaults.empty()) json["defaults"] = slot_table_to_json(entry.defaults, name.str());
        if (!entry.valid) json["valid"] = false;
        entries.push_back(std::move(json));
    }
    Json streams = Json::object();
    if (!project.utility_streams_valid) streams["valid"] = false;
    streams["entries"] = std::move(entries);
    return streams;
}

Json object_json(const Object& object)
{
    Json json = Json::object();
    json["name"] = object.name;
    json["class"] = object.class_id;
    if (object.ref_id) json["ref_id"] = *object.ref_id;
    if (object.stream_name) json["stream_name"] = *object.stream_name;
    if (!object.model.empty()) json["model"] = object.model;
    if (!object.area.empty()) json["area"] = object.area;
    json["slots"] = slot_table_to_json(object.slots, object.name);
    if (!object.defaults.empty()) json["defaults"] = slot_table_to_json(object.defaults, object.name);
    return json;
}

Json connection_json(const Connection& connection)
{
    Json json = Json::object();
    json["stream"] = connection.stream;
    json["item"] = connection.item;
    json["direction"] = connection.direction;
    json["connector"] = connection.connector;
    return json;
}

Json databases_json(const Project& project)
{
    Json databases = Json::object();
    for (const auto& [name, objects] : project.databases) {
        Json database = Json::object();
        for (const auto& [object_name, slots] : objects) {
            const std::string owner = name.str() + "/" + object_name.str();
            append_member(database, object_name.str(), slot_table_to_json(slots, owner));
        }
        append_member(databases, name.str(), std::move(database));
    }
    return databases;
}

Json cost_row_json(const CostRow& row)
{
    warn_unless_utf8(row, "the state");
    Json json = Json::object();
    json["name"] = row.name;
    json["cost_slot"] = row.cost_slot;
    json["value"] = row.value;
    if (row.number) json["number"] = *row.number;
    return json;
}

Json electrical_loads_json(const Project& project)
{
    Json loads = Json::object();
    if (project.total_kw) loads["total_kw"] = *project.total_kw;
    Json items = Json::array();
    for (const ElectricalLoad& load : project.electrical_loads) {
        Json item = Json::object();
        item["ref_id"] = load.ref_id;
        item["kw"] = load.kw;
        items.push_back(std::move(item));
    }
    loads["items"] = std::move(items);
    return loads;
}

}  // namespace

void warn_unless_utf8(std::string_view text, std::string_view place, std::string_view output)
{
    if (text_is_utf8(text)) return;
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

std::string write_project_json(const Project& project)
{
    Json document = Json::object();
    document["format"] = "tovex-project/1";
    document["project"] = identity_json(project);
    if (project.has_sim_case) document["simulation_case"] = sim_case_json(project);
    if (!project.configurations.empty()) document["configurations"] = project.configurations;
    if (!project.design_criteria.empty()) document["design_criteria"] = design_criteria_json(project);
    if (project.has_utility_streams) document["utility_streams"] = utility_streams_json(project);
    Json objects = Json::array();
    for (const Object& object : project.objects) objects.push_back(object_json(object));
    document["objects"] = std::move(objects);
    Json connections = Json::array();
    for (const Connection& connection : project.connections) connections.push_back(connection_json(connection));
    document["connections"] = std::move(connections);
    document["databases"] = databases_json(project);
    // Written even when empty: a file without rows would get the default rows.
    Json rows = Json::array();
    for (const CostRow& row : project.cost_rows) rows.push_back(cost_row_json(row));
    document["cost_rows"] = std::move(rows);
    if (project.has_electrical_loads) document["electrical_loads"] = electrical_loads_json(project);
    if (project.electrical_load_file) document["electrical_load_file"] = *project.electrical_load_file;
    return json_text(document) + "\n";
}

}  // namespace qxhost
