// The project's lookup indices: objects by name, class and reference id, and
// connections by the stream and by the item they name.
#include "model/project_index.h"
#include "model/project.h"

namespace qxhost {

namespace {

auto name_of(const std::vector<Object>& objects)
{
    return [&objects](long index) -> std::string_view { return objects[static_cast<std::size_t>(index)].name; };
}

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
    for (long i = 0; i < static_cast<long>(objects.size()); ++i) {
        if (object_index(objects, objects[static_cast<std::size_t>(i)].name) >= 0) {
            names_unique_ = false;
        } else {
            object_by_name.insert(i, name_of(objects));
        }
        add_to_lookups(objects, i);
    }
    link(objects, connections);
}

void ProjectIndex::clear()
{
    object_by_name.clear();
    objects_by_class.clear();
    object_by_ref_id.clear();
    names_unique_ = true;
    built_.reset();
}

void ProjectIndex::add(const std::vector<Object>& objects)
{
    const long i = static_cast<long>(objects.size()) - 1;
    object_by_name.insert(i, name_of(objects));
    add_to_lookups(objects, i);
}

void ProjectIndex::add_to_lookups(const std::vector<Object>& objects, long i)
{
    const Object& object = objects[static_cast<std::size_t>(i)];
    objects_by_class[object.class_id].push_back(i);
    if (object.ref_id) object_by_ref_id.emplace(*object.ref_id, i);
}

void ProjectIndex::link(const std::vector<Object>& objects, const std::vector<Connection>& connections)
{
    area_of_object.assign(objects.size(), -1);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (!objects[i].area.empty()) area_of_object[i] = object_index(objects, objects[i].area);
    }
    connection_stream.assign(connections.size(), -1);
    connection_item.assign(connections.size(), -1);
    // Files list connections mostly in the order of their streams and of
    // their items: the object found last and the one after it are tried
    // before the index, which a large project reaches with a cache miss.
    // (Where a name repeats, the index's first one must win: no guessing.)
    const auto look_up = [&](std::string_view name, long& last) {
        for (const long guess : {last, last + 1}) {
            if (names_unique_ && guess >= 0 && guess < static_cast<long>(objects.size()) &&
                objects[static_cast<std::size_t>(guess)].name == name)
                return last = guess;
        }
        const long found = object_index(objects, name);
        if (found >= 0) last = found;
        return found;
    };
    long last_stream = -1;
    long last_item = -1;
    for (std::size_t i = 0; i < connections.size(); ++i) {
        connection_stream[i] = look_up(connections[i].stream, last_stream);
        // A connector with nothing joined belongs to no item.
        if (!connections[i].item.empty()) connection_item[i] = look_up(connections[i].item, last_item);
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
