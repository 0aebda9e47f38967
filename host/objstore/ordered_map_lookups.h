// What the host's ordered maps share on top of their own find() and set().
#ifndef QXHOST_ORDERED_MAP_LOOKUPS_H
#define QXHOST_ORDERED_MAP_LOOKUPS_H

#include <string_view>

namespace qxhost {

// The read-only lookup, membership and the value made when missing, for a
// map that has find(key) and set(key, value).
template <class Map, class T>
class OrderedMapLookups {
public:
    const T* find(std::string_view key) const { return const_cast<Map&>(map()).find(key); }
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    // The stored value, default-constructed at the end when missing.
    T& get_or_add(std::string_view key)
    {
        if (T* existing = static_cast<Map&>(*this).find(key)) return *existing;
        return static_cast<Map&>(*this).set(key, T{});
    }

private:
    const Map& map() const { return static_cast<const Map&>(*this); }
};

}  // namespace qxhost

#endif
