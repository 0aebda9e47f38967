// The project's lookup indices: objects by name, class and reference id, and
// connections by the stream and by the item they name.
#include <algorithm>

#include "objstore/workspace.h"

namespace qxhost {

void Project::reindex()
{
    object_by_name.clear();
    objects_by_class.clear();
    object_by_ref_id.clear();
    connections_by_stream.clear();
    connections_by_item.clear();

    for (long i = 0; i < static_cast<long>(objects.size()); ++i) {
        const Object& object = objects[static_cast<std::size_t>(i)];
        // Names are unique in a valid file; should one repeat, the first wins.
        object_by_name.emplace(object.name, i);
        objects_by_class[object.class_id].push_back(i);
        if (object.ref_id) object_by_ref_id.emplace(*object.ref_id, i);
    }
    for (long i = 0; i < static_cast<long>(connections.size()); ++i) {
        const Connection& connection = connections[static_cast<std::size_t>(i)];
        connections_by_stream[connection.stream].push_back(i);
        // A connector with nothing joined belongs to no item.
        if (!connection.item.empty()) connections_by_item[connection.item].push_back(i);
    }
}

const Object* Project::object(std::string_view name) const
{
    const long index = object_index(name);
    return index < 0 ? nullptr : &objects[static_cast<std::size_t>(index)];
}

long Project::object_index(std::string_view name) const
{
    auto found = object_by_name.find(name);
    return found == object_by_name.end() ? -1 : found->second;
}

bool Project::has_configuration(int class_id) const
{
    return std::find(configurations.begin(), configurations.end(), class_id) != configurations.end();
}

}  // namespace qxhost
