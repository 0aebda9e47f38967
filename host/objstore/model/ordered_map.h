// The host's one map from names to values that keeps insertion order:
// slot tables, design criteria, utility streams entries, databases and a
// database's objects.
//
// Overwriting keeps a key's place; a key that is erased and set again goes
// to the end. Small maps are searched in order; one that grows past
// `indexed_from` keys gets a hash index of positions.
//
// Where the values stand is the one choice left to the user:
// - Placement::in_line keeps them side by side in one vector, so that a
//   search touches a few cache lines where a node per value touched a line
//   per value. Values move when the map grows: a pointer from find() holds
//   only until the next change of the same map. Slot tables, the hot path,
//   are kept so.
// - Placement::own_node gives each value a node of its own and keeps the
//   vector of nodes in order. Values never move while they are in the map,
//   so handles may keep pointers to them (a database's slot tables).
// Both share all the rest: the order, the lookups and the index.
#ifndef HOST_ORDERED_MAP_H
#define HOST_ORDERED_MAP_H

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/flat_index.h"
#include "model/slot_name.h"

namespace qxhost {

enum class Placement { in_line, own_node };

template <class T, Placement placement = Placement::own_node>
class OrderedMap {
public:
    using Item = std::pair<SlotName, T>;

private:
    static constexpr bool in_line = placement == Placement::in_line;
    using Slot = std::conditional_t<in_line, Item, std::unique_ptr<Item>>;
    using Slots = std::vector<Slot>;

    static Item& item_of(Slot& slot)
    {
        if constexpr (in_line) return slot;
        else return *slot;
    }
    static const Item& item_of(const Slot& slot)
    {
        if constexpr (in_line) return slot;
        else return *slot;
    }
    static Slot make_slot(Item item)
    {
        if constexpr (in_line) return item;
        else return std::make_unique<Item>(std::move(item));
    }

    // Walks the slots and shows their items.
    template <class Base, class Shown>
    class Iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = Item;
        using difference_type = std::ptrdiff_t;
        using pointer = Shown*;
        using reference = Shown&;

        Iterator() = default;
        explicit Iterator(Base at) : at_(at) {}
        reference operator*() const { return item_of(*at_); }
        pointer operator->() const { return &item_of(*at_); }
        Iterator& operator++()
        {
            ++at_;
            return *this;
        }
        Iterator operator++(int) { return Iterator(at_++); }
        Iterator& operator--()
        {
            --at_;
            return *this;
        }
        Iterator operator--(int) { return Iterator(at_--); }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.at_ == b.at_; }

    private:
        Base at_{};
    };

public:
    using iterator = Iterator<typename Slots::iterator, Item>;
    using const_iterator = Iterator<typename Slots::const_iterator, const Item>;

    OrderedMap() = default;
    OrderedMap(const OrderedMap& other) { copy_from(other); }
    OrderedMap& operator=(const OrderedMap& other)
    {
        if (this != &other) {
            OrderedMap copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    OrderedMap(OrderedMap&&) noexcept = default;
    OrderedMap& operator=(OrderedMap&&) noexcept = default;

    T* find(std::string_view key)
    {
        const std::size_t at = position(key);
        return at == npos ? nullptr : &item_of(slots_[at]).second;
    }
    const T* find(std::string_view key) const { return const_cast<OrderedMap&>(*this).find(key); }
    bool contains(std::string_view key) const { return position(key) != npos; }

    // Inserts or overwrites; returns the stored value.
    T& set(std::string_view key, T value)
    {
        if (T* existing = find(key)) {
            *existing = std::move(value);
            return *existing;
        }
        // Small steps: most maps stop at a handful of names, and the slack
        // of doubling would cost more than the moves.
        if (slots_.size() == slots_.capacity())
            slots_.reserve(slots_.size() < 4 ? slots_.size() + 2 : slots_.size() + slots_.size() / 2);
        slots_.push_back(make_slot(Item(SlotName(key), std::move(value))));
        if (index_) {
            index_->insert(static_cast<std::uint32_t>(slots_.size() - 1), key_of());
        } else if (slots_.size() > indexed_from) {
            reindex();
        }
        return item_of(slots_.back()).second;
    }
    // The stored value, default-constructed at the end when missing.
    T& get_or_add(std::string_view key)
    {
        if (T* existing = find(key)) return *existing;
        return set(key, T{});
    }
    bool erase(std::string_view key)
    {
        const std::size_t at = position(key);
        if (at == npos) return false;
        // The index reads keys through the items: the item goes last.
        if (index_) {
            index_->erase(key, key_of());
            index_->for_each_value([at](std::uint32_t& place) {
                if (place > at) --place;
            });
        }
        slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(at));
        return true;
    }
    void clear()
    {
        index_.reset();
        slots_.clear();
    }

    std::size_t size() const { return slots_.size(); }
    bool empty() const { return slots_.empty(); }
    iterator begin() { return iterator(slots_.begin()); }
    iterator end() { return iterator(slots_.end()); }
    const_iterator begin() const { return const_iterator(slots_.begin()); }
    const_iterator end() const { return const_iterator(slots_.end()); }

private:
    static constexpr std::size_t indexed_from = 12;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    // Positions, whose keys are read from the items as they stand.
    using Index = FlatIndex<std::uint32_t>;
    auto key_of() const
    {
        return [this](std::uint32_t place) -> std::string_view { return item_of(slots_[place]).first; };
    }

    std::size_t position(std::string_view key) const
    {
        if (index_) {
            const std::uint32_t* found = index_->find(key, key_of());
            return found == nullptr ? npos : *found;
        }
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (item_of(slots_[i]).first == key) return i;
        return npos;
    }

    void copy_from(const OrderedMap& other)
    {
        if constexpr (in_line) {
            slots_ = other.slots_;
        } else {
            slots_.reserve(other.slots_.size());
            for (const Slot& slot : other.slots_) slots_.push_back(make_slot(*slot));
        }
        reindex();
    }

    void reindex()
    {
        index_.reset();
        if (slots_.size() <= indexed_from) return;
        index_ = std::make_unique<Index>();
        index_->reserve(slots_.size());
        for (std::size_t i = 0; i < slots_.size(); ++i) index_->insert(static_cast<std::uint32_t>(i), key_of());
    }

    Slots slots_;
    std::unique_ptr<Index> index_;
};

}  // namespace qxhost

#endif
