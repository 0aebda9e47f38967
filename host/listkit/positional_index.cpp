#include "positional_index.h"

#include <algorithm>
#include <bit>

namespace qxhost::listkit {

namespace {

std::size_t lowest_bit(std::size_t i) { return i & (~i + 1); }

}  // namespace

void KeySlots::remove(std::size_t slot)
{
    if (count_ == 0) return;
    const auto rest_begin = rest_.begin() + static_cast<std::ptrdiff_t>(rest_start_);
    if (slot == first_) {
        if (count_ == 1) {
            count_ = 0;
            rest_.clear();
            rest_start_ = 0;
            return;
        }
        first_ = *rest_begin;
        ++rest_start_;
    } else {
        // By slot order: the slots after the first are sorted.
        const auto found = std::lower_bound(rest_begin, rest_.end(), slot);
        if (found == rest_.end() || *found != slot) return;
        rest_.erase(found);
    }
    --count_;
    // The slots read past are given back once they are the greater part.
    if (rest_start_ * 2 > rest_.size()) {
        rest_.erase(rest_.begin(), rest_.begin() + static_cast<std::ptrdiff_t>(rest_start_));
        rest_start_ = 0;
    }
}

PositionalIndex::PositionalIndex(const PositionalIndex& other)
{
    for (const auto& node : other.nodes_)
        if (node) append(node->Clone());
}

void PositionalIndex::append(std::unique_ptr<CListNode> node)
{
    const std::size_t slot = nodes_.size();
    // Most lists hold a few nodes: one allocation instead of three or four.
    if (slot == 0) nodes_.reserve(8);
    if (keys_indexed_) {
        std::string key = node->Key();
        slots_by_key_[key].add(slot);
        keys_.push_back(std::move(key));
    }
    nodes_.push_back(std::move(node));
    if (has_holes_) {
        tree_.resize(nodes_.size() + 1, 0);
        // A Fenwick cell covers the slots (i - lowbit(i), i]; the new slot is
        // alive and the others of its range already hold their counts.
        const std::size_t i = slot + 1;
        tree_[i] = 1 + alive_before(slot) - alive_before(i - lowest_bit(i));
    }
    ++alive_;
}

const CListNode* PositionalIndex::at(int position) const
{
    if (position < 0 || position >= alive_) return nullptr;
    return nodes_[slot_of(position)].get();
}

bool PositionalIndex::remove_at(int position)
{
    if (position < 0 || position >= alive_) return false;
    const std::size_t slot = slot_of(position);
    if (!has_holes_) build_tree();
    if (keys_indexed_) {
        auto found = slots_by_key_.find(keys_[slot]);
        found->second.remove(slot);
        if (found->second.empty()) slots_by_key_.erase(found);
        keys_[slot].clear();
    }
    nodes_[slot].reset();
    add_to_tree(slot, -1);
    --alive_;
    if (nodes_.size() > 64 && static_cast<std::size_t>(alive_) * 2 < nodes_.size()) compact();
    return true;
}

int PositionalIndex::first_position_of(std::string_view key) const
{
    index_keys();
    auto found = slots_by_key_.find(key);
    if (found == slots_by_key_.end()) return -1;
    return alive_before(found->second.first());
}

int PositionalIndex::count_of(std::string_view key) const
{
    index_keys();
    auto found = slots_by_key_.find(key);
    return found == slots_by_key_.end() ? 0 : static_cast<int>(found->second.size());
}

// The slot of the living node at `position`: descend the tree, keeping the
// count of living nodes still to pass.
std::size_t PositionalIndex::slot_of(int position) const
{
    if (!has_holes_) return static_cast<std::size_t>(position);
    const std::size_t n = nodes_.size();
    std::size_t index = 0;
    int remaining = position + 1;
    for (std::size_t step = std::bit_floor(n); step != 0; step >>= 1) {
        if (index + step <= n && tree_[index + step] < remaining) {
            index += step;
            remaining -= tree_[index];
        }
    }
    return index;  // tree cell index + 1 holds the node: slot `index`
}

int PositionalIndex::alive_before(std::size_t slot) const
{
    if (!has_holes_) return static_cast<int>(slot);
    int count = 0;
    for (std::size_t i = slot; i > 0; i -= lowest_bit(i)) count += tree_[i];
    return count;
}

void PositionalIndex::add_to_tree(std::size_t slot, int delta)
{
    for (std::size_t i = slot + 1; i < tree_.size(); i += lowest_bit(i)) tree_[i] += delta;
}

// The tree of a list whose slots are all alive, in O(n).
void PositionalIndex::build_tree()
{
    tree_.assign(nodes_.size() + 1, 1);
    tree_[0] = 0;
    for (std::size_t i = 1; i < tree_.size(); ++i) {
        const std::size_t parent = i + lowest_bit(i);
        if (parent < tree_.size()) tree_[parent] += tree_[i];
    }
    has_holes_ = true;
}

void PositionalIndex::index_keys() const
{
    if (keys_indexed_) return;
    keys_.assign(nodes_.size(), std::string());
    for (std::size_t slot = 0; slot < nodes_.size(); ++slot) {
        if (!nodes_[slot]) continue;
        keys_[slot] = nodes_[slot]->Key();
        slots_by_key_[keys_[slot]].add(slot);
    }
    keys_indexed_ = true;
}

void PositionalIndex::compact()
{
    std::vector<std::unique_ptr<CListNode>> living;
    std::vector<std::string> keys;
    living.reserve(static_cast<std::size_t>(alive_));
    for (std::size_t slot = 0; slot < nodes_.size(); ++slot) {
        if (!nodes_[slot]) continue;
        living.push_back(std::move(nodes_[slot]));
        if (keys_indexed_) keys.push_back(std::move(keys_[slot]));
    }
    nodes_ = std::move(living);
    keys_ = std::move(keys);
    // Every slot is alive again: positions are slots until the next removal.
    tree_.clear();
    has_holes_ = false;
    slots_by_key_.clear();
    if (keys_indexed_) {
        for (std::size_t slot = 0; slot < keys_.size(); ++slot) slots_by_key_[keys_[slot]].add(slot);
    }
}

}  // namespace qxhost::listkit
