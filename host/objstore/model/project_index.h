// The lookup indices of a project: objects by name, class and reference id,
// and connections by the objects at their ends. Built from the project's
// objects and connections, by position, so that following a connection
// hashes no name; rebuilt whenever those change.
#ifndef HOST_PROJECT_INDEX_H
#define HOST_PROJECT_INDEX_H

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/flat_index.h"
#include "host/visibility.h"

namespace qxhost {

struct Object;
struct Connection;

struct ProjectIndex {
    // Connections grouped by the object at one end, in file order.
    struct ConnectionsOf {
        std::vector<std::uint32_t> first;  // per object, then one past the last object
        std::vector<std::uint32_t> connections;
        std::pair<const std::uint32_t*, const std::uint32_t*> of(long object) const
        {
            const auto at = static_cast<std::size_t>(object);
            return {connections.data() + first[at], connections.data() + first[at + 1]};
        }
    };

    QXHOST_API void rebuild(const std::vector<Object>& objects, const std::vector<Connection>& connections);
    // The position of the object named `name` among `objects` (those the
    // index was built from), -1 when none.
    QXHOST_API long object_index(const std::vector<Object>& objects, std::string_view name) const;

    // Built a piece at a time, as a reader takes the project in, so that a
    // large project is indexed once: clear(), add() for each object as it
    // is appended, then link() once the connections are known.
    QXHOST_API void clear();
    // Indexes the last of `objects`, whose name the index must not hold yet.
    QXHOST_API void add(const std::vector<Object>& objects);
    QXHOST_API void link(const std::vector<Object>& objects, const std::vector<Connection>& connections);
    // True when the index was last completed for these very lists, as they
    // stand in memory and in size.
    QXHOST_API bool built_for(const std::vector<Object>& objects, const std::vector<Connection>& connections) const;

    // Positions in the objects; keys are read from the objects.
    FlatIndex<long> object_by_name;
    std::map<int, std::vector<long>> objects_by_class;
    std::unordered_map<std::uint32_t, long> object_by_ref_id;
    // By connection: the object that its stream and its item name (-1 for
    // none). By object: its area (-1 for none).
    std::vector<long> connection_stream;
    std::vector<long> connection_item;
    std::vector<long> area_of_object;
    ConnectionsOf connections_by_stream;
    ConnectionsOf connections_by_item;

private:
    void add_to_lookups(const std::vector<Object>& objects, long i);

    struct Built {
        const Object* objects = nullptr;
        std::size_t object_count = 0;
        const Connection* connections = nullptr;
        std::size_t connection_count = 0;
    };
    std::optional<Built> built_;
    bool names_unique_ = true;
};

}  // namespace qxhost

#endif
