// The reference host's in-memory project: what a project file holds. The
// project-file reader fills it, the writer writes it back, and the host
// objects read and change it once it is loaded into the workspace.
#ifndef QXHOST_MODEL_PROJECT_H
#define QXHOST_MODEL_PROJECT_H

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/object_databases.h"
#include "model/ordered_map.h"
#include "model/project_index.h"
#include "model/slot_table.h"
#include "host/visibility.h"

namespace qxhost {

struct Criterion {
    double value = 0.0;
    std::string units;
};

struct Object {
    std::string name;
    int class_id = 0;
    std::optional<std::uint32_t> ref_id;
    std::optional<std::string> stream_name;  // streams: default the object name
    std::string model;                        // equipment items
    std::string area;                         // name of the area object, empty when none
    SlotTable slots;
    SlotTable defaults;
};

struct Connection {
    std::string stream;
    std::string item;  // empty: nothing joined at that connector
    int direction = 0; // 1 or 2, as seen from the stream
    std::string connector;
};

struct Entry {
    SlotTable slots;
    SlotTable defaults;
    bool valid = true;
};

struct CostRow {
    std::string name;
    std::string cost_slot;
    std::string value;
    std::optional<std::uint64_t> number;
};

struct ElectricalLoad {
    std::uint32_t ref_id = 0;
    double kw = 0.0;
};

struct Project {
    Project() = default;
    Project(const Project&) = delete;  // the index holds views of its texts
    Project& operator=(const Project&) = delete;

    // "project"
    std::uint32_t instance = 0;
    std::string name;
    std::string scenario;
    int unit_system = 0;

    // "simulation_case"
    bool has_sim_case = false;
    bool sim_case_valid = false;
    int sim_type = 0;

    // "configurations", in file order
    std::vector<int> configurations;

    // "design_criteria": group -> criterion -> value
    OrderedMap<OrderedMap<Criterion>> design_criteria;

    // "utility_streams"
    bool has_utility_streams = false;
    bool utility_streams_valid = false;
    OrderedMap<Entry> entries;

    // "objects", in file order, and "connections", in file order
    std::vector<Object> objects;
    std::vector<Connection> connections;

    // "databases": a database not listed does not exist
    Databases databases;

    // "cost_rows"; when the file has none the host makes the default rows
    std::vector<CostRow> cost_rows;

    // "electrical_loads" / "electrical_load_file"
    bool has_electrical_loads = false;
    std::optional<double> total_kw;
    std::vector<ElectricalLoad> electrical_loads;
    std::optional<std::string> electrical_load_file;

    // Of the objects and connections; reindex() after they change. The
    // project file's reader builds it as it reads.
    ProjectIndex index;

    void reindex() { index.rebuild(objects, connections); }
    // Rebuilds the index unless it was built for the objects and
    // connections as they now stand.
    void index_unless_built()
    {
        if (!index.built_for(objects, connections)) reindex();
    }
    const Object* object(std::string_view name) const
    {
        const long at = object_index(name);
        return at < 0 ? nullptr : &objects[static_cast<std::size_t>(at)];
    }
    long object_index(std::string_view name) const { return index.object_index(objects, name); }  // -1 when none
    // The first object with reference id `ref_id`, or null; the index must be
    // built for the objects as they stand.
    const Object* object_with_ref_id(std::uint32_t ref_id) const
    {
        const auto found = index.object_by_ref_id.find(ref_id);
        return found == index.object_by_ref_id.end() ? nullptr : &objects[static_cast<std::size_t>(found->second)];
    }
    bool has_configuration(int class_id) const
    {
        return std::find(configurations.begin(), configurations.end(), class_id) != configurations.end();
    }
};

// A copy of `project`, its index built for the copy: what a script's run
// works on, so that the project it holds is not changed. A tenth of the
// time of writing the project as a file and reading it back.
QXHOST_API std::unique_ptr<Project> copy_of(const Project& project);

}  // namespace qxhost

#endif
