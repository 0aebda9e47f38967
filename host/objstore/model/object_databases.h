// A project's object databases: database name -> object name -> slots.
//
// Handles keep pointers to the slot tables of database objects, so the
// databases count a generation that changes whenever one of those tables
// may have gone: a database removed or replaced, or the databases
// destroyed with their project. A handle may keep a table it found while
// the generation stays the same. The count lives here, where tables go, so
// that no caller has to remember it.
#ifndef HOST_OBJECT_DATABASES_H
#define HOST_OBJECT_DATABASES_H

#include <cstdint>
#include <string_view>

#include "model/ordered_map.h"
#include "model/slot_table.h"
#include "host/visibility.h"

namespace qxhost {

// Object name -> slots. Objects are never removed from a database, and its
// slot tables never move while it exists.
using Database = OrderedMap<SlotTable, Placement::own_node>;

class Databases {
public:
    Databases() = default;
    Databases(const Databases&) = delete;
    Databases& operator=(const Databases&) = delete;
    ~Databases() { tables_may_have_gone(); }

    // Changes whenever a slot table of any project's databases may have gone.
    static std::uint64_t generation() { return generation_; }

    Database* find(std::string_view name) { return map_.find(name); }
    const Database* find(std::string_view name) const { return map_.find(name); }
    bool contains(std::string_view name) const { return map_.contains(name); }
    // The database, made empty at the end when missing.
    Database& get_or_add(std::string_view name) { return map_.get_or_add(name); }
    // Inserts or replaces the database `name`.
    Database& set(std::string_view name, Database database)
    {
        if (map_.contains(name)) tables_may_have_gone();
        return map_.set(name, std::move(database));
    }
    bool erase(std::string_view name)
    {
        tables_may_have_gone();
        return map_.erase(name);
    }

    std::size_t size() const { return map_.size(); }
    bool empty() const { return map_.empty(); }
    auto begin() const { return map_.begin(); }
    auto end() const { return map_.end(); }

private:
    static void tables_may_have_gone() { ++generation_; }
    QXHOST_API static std::uint64_t generation_;

    OrderedMap<Database, Placement::own_node> map_;
};

}  // namespace qxhost

#endif
