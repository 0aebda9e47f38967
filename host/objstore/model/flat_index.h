// An open-addressing hash index from keys (texts, or numbers) to values that
// know their key (a list position, an object's place, the number itself).
// It is the host's one hash table. Entries are a hash and a value side
// by side in one array, so a lookup reads one line of the table and then
// only the entry whose hash matches; a node-based map read a bucket, a node
// and the key behind it.
#ifndef HOST_FLAT_INDEX_H
#define HOST_FLAT_INDEX_H

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace qxhost {

template <class V, class Key = std::string_view>
class FlatIndex {
public:
    static std::uint64_t hash_of(Key key)
    {
        // Zero marks an empty entry.
        return std::hash<Key>{}(key) | 1;
    }

    // The value under `key`, or null. `key_of(value)` gives a value's key.
    template <class KeyOf>
    const V* find(Key key, KeyOf key_of) const
    {
        if (entries_.empty()) return nullptr;
        const std::uint64_t hash = hash_of(key);
        for (std::size_t i = hash & mask(); entries_[i].hash != 0; i = (i + 1) & mask()) {
            if (entries_[i].hash == hash && key_of(entries_[i].value) == key) return &entries_[i].value;
        }
        return nullptr;
    }

    // Adds a value whose key is not in the index yet.
    template <class KeyOf>
    void insert(V value, KeyOf key_of)
    {
        if ((count_ + 1) * 2 > entries_.size()) rehash(entries_.empty() ? 16 : entries_.size() * 2);
        place(hash_of(key_of(value)), std::move(value));
        ++count_;
    }

    // Removes the entry of `key`; false when there is none.
    template <class KeyOf>
    bool erase(Key key, KeyOf key_of)
    {
        if (entries_.empty()) return false;
        const std::uint64_t hash = hash_of(key);
        std::size_t i = hash & mask();
        for (; entries_[i].hash != 0; i = (i + 1) & mask()) {
            if (entries_[i].hash == hash && key_of(entries_[i].value) == key) break;
        }
        if (entries_[i].hash == 0) return false;
        // Backward shift: move later entries of the run into the hole when
        // their home lies at or before it, so no lookup meets a gap early.
        for (std::size_t next = (i + 1) & mask(); entries_[next].hash != 0; next = (next + 1) & mask()) {
            const std::size_t home = entries_[next].hash & mask();
            const bool movable = i <= next ? (home <= i || home > next) : (home <= i && home > next);
            if (!movable) continue;
            entries_[i] = std::move(entries_[next]);
            i = next;
        }
        entries_[i] = Entry{};
        --count_;
        return true;
    }

    void clear()
    {
        entries_.clear();
        count_ = 0;
    }
    // Calls `change(value)` on every value; it must not change their keys.
    template <class Change>
    void for_each_value(Change change)
    {
        for (Entry& entry : entries_)
            if (entry.hash != 0) change(entry.value);
    }
    void reserve(std::size_t count)
    {
        std::size_t size = 16;
        while (size < count * 2) size *= 2;
        if (size > entries_.size()) rehash(size);
    }

private:
    struct Entry {
        std::uint64_t hash = 0;
        V value{};
    };

    std::size_t mask() const { return entries_.size() - 1; }

    void place(std::uint64_t hash, V value)
    {
        std::size_t i = hash & mask();
        while (entries_[i].hash != 0) i = (i + 1) & mask();
        entries_[i] = Entry{hash, std::move(value)};
    }

    void rehash(std::size_t size)
    {
        std::vector<Entry> old = std::move(entries_);
        entries_.assign(size, Entry{});
        for (Entry& entry : old)
            if (entry.hash != 0) place(entry.hash, std::move(entry.value));
    }

    std::vector<Entry> entries_;
    std::size_t count_ = 0;
};

}  // namespace qxhost

#endif
