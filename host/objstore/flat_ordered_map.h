// The slots of one object: a few names, read far more often than written.
// They are kept side by side in one vector in insertion order and searched
// in order, which touches a few cache lines where a node per slot touched a
// line per slot; a table that grows past `indexed_from` names (the usage
// registry) also gets a hash index of positions.
//
// Values move when the table grows: a pointer from find() holds only until
// the next change of the same table.
#ifndef QXHOST_FLAT_ORDERED_MAP_H
#define QXHOST_FLAT_ORDERED_MAP_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "objstore/flat_index.h"
#include "objstore/ordered_map_lookups.h"
#include "objstore/slot_name.h"

namespace qxhost {

template <class T>
class FlatOrderedMap : public OrderedMapLookups<FlatOrderedMap<T>, T> {
public:
    using OrderedMapLookups<FlatOrderedMap<T>, T>::find;
    using Item = std::pair<SlotName, T>;
    using iterator = typename std::vector<Item>::iterator;
    using const_iterator = typename std::vector<Item>::const_iterator;

    FlatOrderedMap() = default;
    FlatOrderedMap(const FlatOrderedMap& other) : items_(other.items_) { reindex(); }
    FlatOrderedMap& operator=(const FlatOrderedMap& other)
    {
        if (this != &other) {
            items_ = other.items_;
            reindex();
        }
        return *this;
    }
    FlatOrderedMap(FlatOrderedMap&&) noexcept = default;
    FlatOrderedMap& operator=(FlatOrderedMap&&) noexcept = default;

    T* find(std::string_view key)
    {
        const std::size_t at = position(key);
        return at == npos ? nullptr : &items_[at].second;
    }

    // Inserts or overwrites; returns the stored value.
    T& set(std::string_view key, T value)
    {
        if (T* existing = find(key)) {
            *existing = std::move(value);
            return *existing;
        }
        // Small steps: most tables stop at a handful of names, and the
        // slack of doubling would cost more than the moves.
        if (items_.size() == items_.capacity())
            items_.reserve(items_.size() < 4 ? items_.size() + 2 : items_.size() + items_.size() / 2);
        items_.emplace_back(SlotName(key), std::move(value));
        if (index_) {
            index_->insert(static_cast<std::uint32_t>(items_.size() - 1), key_of());
        } else if (items_.size() > indexed_from) {
            reindex();
        }
        return items_.back().second;
    }
    bool erase(std::string_view key)
    {
        const std::size_t at = position(key);
        if (at == npos) return false;
        if (index_) {
            index_->erase(key, key_of());
            index_->for_each_value([at](std::uint32_t& place) {
                if (place > at) --place;
            });
        }
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
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
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    // Positions, whose keys are read from the items as they stand.
    using Index = FlatIndex<std::uint32_t>;
    auto key_of() const
    {
        return [this](std::uint32_t place) -> std::string_view { return items_[place].first; };
    }

    std::size_t position(std::string_view key) const
    {
        if (index_) {
            const std::uint32_t* found = index_->find(key, key_of());
            return found == nullptr ? npos : *found;
        }
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].first == key) return i;
        return npos;
    }

    void reindex()
    {
        index_.reset();
        if (items_.size() <= indexed_from) return;
        index_ = std::make_unique<Index>();
        index_->reserve(items_.size());
        for (std::size_t i = 0; i < items_.size(); ++i) index_->insert(static_cast<std::uint32_t>(i), key_of());
    }

    std::vector<Item> items_;
    std::unique_ptr<Index> index_;
};

}  // namespace qxhost

#endif
