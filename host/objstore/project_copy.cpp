#include "model/project.h"

namespace qxhost {

std::unique_ptr<Project> copy_of(const Project& project)
{
    auto copy = std::make_unique<Project>();
    copy->instance = project.instance;
    copy->name = project.name;
    copy->scenario = project.scenario;
    copy->unit_system = project.unit_system;
    copy->has_sim_case = project.has_sim_case;
    copy->sim_case_valid = project.sim_case_valid;
    copy->sim_type = project.sim_type;
    copy->configurations = project.configurations;
    copy->design_criteria = project.design_criteria;
    copy->has_utility_streams = project.has_utility_streams;
    copy->utility_streams_valid = project.utility_streams_valid;
    copy->entries = project.entries;
    copy->objects = project.objects;
    copy->connections = project.connections;
    // The databases are copied one by one: their count of generations
    // belongs to the databases, not to their contents.
    for (const auto& [name, database] : project.databases) copy->databases.set(name.view(), database);
    copy->cost_rows = project.cost_rows;
    copy->has_electrical_loads = project.has_electrical_loads;
    copy->total_kw = project.total_kw;
    copy->electrical_loads = project.electrical_loads;
    copy->electrical_load_file = project.electrical_load_file;
    copy->reindex();
    return copy;
}

}  // namespace qxhost
