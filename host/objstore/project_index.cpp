// The project's lookup indices: objects by name, class and reference id, and
// connections by the stream and by the item they name.
#include "host/project_index.h"
#include "host/project_model.h"

namespace qxhost {

namespace {

// Connections grouped by the object at one of their ends, as offsets into one
// array: two passes, counting then placing, keep the file order.
ProjectIndex::ConnectionsOf group_connections(std::size_t object_count, const std::vector<long>& end_of_connection)
{
    ProjectIndex::ConnectionsOf grouped;
    grouped.first.assign(object_count + 1, 0);
    for (const long object : end_of_connection)
        if (object >= 0) ++grouped.first[static_cast<std::size_t>(object) + 1];
    for (std::size_t i = 1; i <= object_count; ++i) grouped.first[i] += grouped.first[i - 1];
    grouped.connections.resize(grouped.first[object_count]);
    std::vector<std::uint32_t> next(grouped.first.begin(), grouped.first.end() - 1);
    for (std::size_t i = 0; i < end_of_connection.size(); ++i) {
        const long object = end_of_connection[i];
        if (object >= 0) grouped.connections[next[static_cast<std::size_t>(object)]++] = static_cast<std::uint32_t>(i);
    }
    return grouped;
}

}  // namespace

void ProjectIndex::rebuild(const std::vector<Object>& objects, const std::vector<Connection>& connections)
{
    clear();
    object_by_name.reserve(objects.size());
    // Names are unique in a valid file; should one repeat, the first wins.
    for (std::size_t i = 0; i < objects.size(); ++i) add_at(objects, static_cast<long>(i));
    link(objects, connections);
}

void ProjectIndex::clear()
{
    object_by_name.clear();
    objects_by_class.clear();
    object_by_ref_id.clear();
    built_.reset();
}

bool ProjectIndex::add(const std::vector<Object>& objects)
{
    return add_at(objects, static_cast<long>(objects.size()) - 1);
}

bool ProjectIndex::add_at(const std::vector<Object>& objects, long i)
{
    const auto name_of = [&objects](long index) -> std::string_view { return objects[static_cast<std::size_t>(index)].name; };
    const Object& object = objects[static_cast<std::size_t>(i)];
    if (object_by_name.find(object.name, name_of) != nullptr) return false;
    object_by_name.insert(i, name_of);
    objects_by_class[object.class_id].push_back(i);
    if (object.ref_id) object_by_ref_id.emplace(*object.ref_id, i);
    return true;
}

void ProjectIndex::link(const std::vector<Object>& objects, const std::vector<Connection>& connections)
{
    area_of_object.assign(objects.size(), -1);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (!objects[i].area.empty()) area_of_object[i] = object_index(objects, objects[i].area);
    }
    connection_stream.assign(connections.size(), -1);
    connection_item.assign(connections.size(), -1);
    for (std::size_t i = 0; i < connections.size(); ++i) {
        connection_stream[i] = object_index(objects, connections[i].stream);
        // A connector with nothing joined belongs to no item.
        if (!connections[i].item.empty()) connection_item[i] = object_index(objects, connections[i].item);
    }
    connections_by_stream = group_connections(objects.size(), connection_stream);
    connections_by_item = group_connections(objects.size(), connection_item);
    built_ = Built{objects.data(), objects.size(), connections.data(), connections.size()};
}

bool ProjectIndex::built_for(const std::vector<Object>& objects, const std::vector<Connection>& connections) const
{
    return built_ && built_->objects == objects.data() && built_->object_count == objects.size() &&
           built_->connections == connections.data() && built_->connection_count == connections.size();
}

long ProjectIndex::object_index(const std::vector<Object>& objects, std::string_view name) const
{
    const long* found = object_by_name.find(
        name, [&objects](long index) -> std::string_view { return objects[static_cast<std::size_t>(index)].name; });
    return found == nullptr ? -1 : *found;
}

}  // namespace qxhost
