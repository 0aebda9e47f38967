// Storage behind CDLList: nodes kept in the slots they were appended to, a
// Fenwick tree over the slots' alive flags that turns a position into a slot
// and back, and an index from a node's key to its slots. Every operation
// costs O(log n); removed slots are reclaimed once they outnumber the living.
//
// Most lists are appended to, read by position and dropped: the tree is only
// built at the first removal (until then a position is its slot), and the
// key index at the first lookup by key, so such lists pay for neither.
#ifndef QXHOST_LISTKIT_POSITIONAL_INDEX_H
#define QXHOST_LISTKIT_POSITIONAL_INDEX_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/listkit.h"

namespace qxhost::listkit {

// Not noexcept on purpose: the standard library then keeps each key's hash
// with its node, so a lookup never hashes the other keys of its bucket again.
struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const
    {
        return std::hash<std::string_view>{}(text);
    }
};

// The slots that hold one key, smallest first. Most keys are held once: the
// first slot is kept inline, so such a key costs no allocation of its own.
// Taking out the first slot, the usual removal, costs O(1): the others are
// read from a moving start.
class KeySlots {
public:
    // Slots are added in increasing order.
    void add(std::size_t slot)
    {
        if (count_++ == 0) {
            first_ = slot;
        } else {
            rest_.push_back(slot);
        }
    }
    void remove(std::size_t slot);
    std::size_t first() const { return first_; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    std::vector<std::size_t> rest_;  // after the first, in increasing order, from rest_start_ on
    std::size_t rest_start_ = 0;
};

class PositionalIndex {
public:
    PositionalIndex() = default;
    PositionalIndex(const PositionalIndex& other);
    PositionalIndex& operator=(const PositionalIndex&) = delete;

    int size() const { return alive_; }
    void append(std::unique_ptr<CListNode> node);
    const CListNode* at(int position) const;  // null when out of range
    bool remove_at(int position);
    int first_position_of(std::string_view key) const;  // -1 when absent
    int count_of(std::string_view key) const;

private:
    std::size_t slot_of(int position) const;
    int alive_before(std::size_t slot) const;
    void add_to_tree(std::size_t slot, int delta);
    void build_tree();
    void index_keys() const;
    void compact();

    std::vector<std::unique_ptr<CListNode>> nodes_;  // by slot; null once removed
    std::vector<int> tree_;                          // Fenwick tree, 1-based; empty while no slot is removed
    bool has_holes_ = false;
    // Built at the first lookup by key, then kept up to date.
    mutable bool keys_indexed_ = false;
    mutable std::vector<std::string> keys_;  // by slot
    mutable std::unordered_map<std::string, KeySlots, KeyHash, std::equal_to<>> slots_by_key_;
    int alive_ = 0;
};

}  // namespace qxhost::listkit

#endif
