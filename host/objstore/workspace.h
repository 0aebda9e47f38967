// The reference host's in-memory project: what a project file holds, indexed
// so that every lookup the module makes costs O(1) or O(log n).
//
// One project is loaded at a time (the workspace). Host objects are handles
// that resolve names against it on every access, so a handle never dangles.
#ifndef QXHOST_WORKSPACE_H
#define QXHOST_WORKSPACE_H

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/visibility.h"
#include "objstore/flat_index.h"
#include "objstore/flat_ordered_map.h"
#include "objstore/slot_name.h"
#include "objstore/value_parts.h"

namespace qxhost {

// A map that keeps insertion order. Overwriting keeps a key's place; a key
// that is erased and set again goes to the end. Values never move while they
// are in the map, so handles may keep pointers to them (a database's slot
// tables). Small maps are searched in order; one that grows past
// `indexed_from` keys gets a hash index.
template <class T>
class OrderedMap : public OrderedMapLookups<OrderedMap<T>, T> {
public:
    using OrderedMapLookups<OrderedMap<T>, T>::find;
    using Item = std::pair<SlotName, T>;
    using iterator = typename std::list<Item>::iterator;
    using const_iterator = typename std::list<Item>::const_iterator;

    OrderedMap() = default;
    OrderedMap(const OrderedMap& other) : items_(other.items_) { reindex(); }
    OrderedMap& operator=(const OrderedMap& other)
    {
        if (this != &other) {
            items_ = other.items_;
            reindex();
        }
        return *this;
    }
    OrderedMap(OrderedMap&&) noexcept = default;
    OrderedMap& operator=(OrderedMap&&) noexcept = default;

    T* find(std::string_view key)
    {
        const auto it = locate(key);
        return it == items_.end() ? nullptr : &it->second;
    }

    // Inserts or overwrites; returns the stored value.
    T& set(std::string_view key, T value)
    {
        if (T* existing = find(key)) {
            *existing = std::move(value);
            return *existing;
        }
        items_.emplace_back(SlotName(key), std::move(value));
        auto last = std::prev(items_.end());
        if (index_) {
            index_->insert(last, key_of);
        } else if (items_.size() > indexed_from) {
            reindex();
        }
        return last->second;
    }
    bool erase(std::string_view key)
    {
        const auto item = locate(key);
        if (item == items_.end()) return false;
        // The index reads keys through the items: the item goes last.
        if (index_) index_->erase(key, key_of);
        items_.erase(item);
        return true;
    }
    void clear()
    {
        index_.reset();
        items_.clear();
    }

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

private:
    static constexpr std::size_t indexed_from = 12;
    using Index = FlatIndex<iterator>;
    static std::string_view key_of(const iterator& item) { return item->first; }

    iterator locate(std::string_view key)
    {
        if (index_) {
            const iterator* found = index_->find(key, key_of);
            return found == nullptr ? items_.end() : *found;
        }
        for (auto it = items_.begin(); it != items_.end(); ++it)
            if (it->first == key) return it;
        return items_.end();
    }

    void reindex()
    {
        index_.reset();
        if (items_.size() <= indexed_from) return;
        index_ = std::make_unique<Index>();
        index_->reserve(items_.size());
        for (auto it = items_.begin(); it != items_.end(); ++it) index_->insert(it, key_of);
    }

    std::list<Item> items_;
    std::unique_ptr<Index> index_;
};

// A slot value. Kept small: a large plant holds millions.
struct Value {
    enum class Kind : std::uint8_t { text, number, list };
    std::string text;     // text
    double number = 0.0;  // number
    UnitsText units;      // number: empty when without units
    TextItems items;      // list
    Kind kind = Kind::text;

    QXHOST_API static Value of_text(std::string text);
    QXHOST_API static Value of_number(double number, std::string units = {});
    QXHOST_API static Value of_list(std::vector<std::string> items);
};

class SlotTable : public FlatOrderedMap<Value> {};

// Value coercions of the host (a value read in another form than stored).
// Text form: a text as it is; a number in shortest form, followed by a line
// feed and the units when it has units; a list's first item.
QXHOST_API std::string value_as_text(const Value& value);
// Number form: a text's leading number with its second line (trimmed) as
// units; a number as it is; a list's first item's leading number with its
// second item as units. Empty when there is no leading number.
QXHOST_API std::optional<std::pair<double, std::string>> value_as_number(const Value& value);
// The shortest text that reads back as the same double (std::to_chars).
QXHOST_API std::string shortest_number_text(double value);

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

using Database = OrderedMap<SlotTable>;  // object name -> slots

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
    Project(const Project&) = delete;  // the indices hold views of its texts
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
    OrderedMap<Database> databases;

    // "cost_rows"; when the file has none the host makes the default rows
    std::vector<CostRow> cost_rows;

    // "electrical_loads" / "electrical_load_file"
    bool has_electrical_loads = false;
    std::optional<double> total_kw;
    std::vector<ElectricalLoad> electrical_loads;
    std::optional<std::string> electrical_load_file;

    // Indices, rebuilt by reindex() after the vectors above change.
    FlatIndex<long> object_by_name;
    std::map<int, std::vector<long>> objects_by_class;
    std::unordered_map<std::uint32_t, long> object_by_ref_id;
    // By object index: the object that each connection's stream and item
    // name (-1 for none), each object's area (-1 for none), and the
    // connections naming each object as stream or as item, in file order.
    // Kept by position so that following a connection hashes no name.
    std::vector<long> connection_stream;
    std::vector<long> connection_item;
    std::vector<long> area_of_object;
    struct ConnectionsOf {
        std::vector<std::uint32_t> first;  // per object, then one past the last object
        std::vector<std::uint32_t> connections;
        std::pair<const std::uint32_t*, const std::uint32_t*> of(long object) const
        {
            const auto at = static_cast<std::size_t>(object);
            return {connections.data() + first[at], connections.data() + first[at + 1]};
        }
    };
    ConnectionsOf connections_by_stream;
    ConnectionsOf connections_by_item;

    QXHOST_API void reindex();
    QXHOST_API const Object* object(std::string_view name) const;
    QXHOST_API long object_index(std::string_view name) const;  // -1 when none
    QXHOST_API bool has_configuration(int class_id) const;
};

// The loaded project, if any. A host object constructed while no project is
// loaded is not valid.
class QXHOST_API Workspace {
public:
    constexpr Workspace() = default;
    // Inline: the host asks for the workspace at nearly every access.
    static Workspace& get() { return instance_; }

    void load(std::unique_ptr<Project> project);  // reindexes and sets the unit system
    void unload();
    Project* project() { return project_.get(); }
    // The loaded project when `instance` is its user instance or 0, else null.
    Project* project_for(std::uint32_t instance)
    {
        if (!project_) return nullptr;
        return instance == 0 || instance == project_->instance ? project_.get() : nullptr;
    }

    // The object list of CqxProject::InitObjectList.
    bool object_list_built = false;

    // Changes whenever a project is loaded or unloaded, or a database is
    // deleted: the events that can take an object database's slot table
    // away. A handle may keep a table it found while this stays the same.
    std::uint64_t generation() const { return generation_; }
    void tables_may_have_gone() { ++generation_; }

private:
    static Workspace instance_;
    std::unique_ptr<Project> project_;
    std::uint64_t generation_ = 1;
};

// Fault injection for tests: the Nth slot write from now on fails (1 the
// next one); 0 turns it off.
QXHOST_API void fail_slot_write_at(long n);
// Called by every slot write; true when this write is to fail.
QXHOST_API bool slot_write_should_fail();

}  // namespace qxhost

#endif
