// The caller lists (QX_LIST): entries of text and an optional number, with an
// index from a text to the positions that hold it so that a key's first
// position is found in O(log n) even after entries change.
#include <optional>
#include <set>
#include <unordered_map>

#include "host/listkit.h"
#include "positional_index.h"

struct QxList2 {
    struct Entry {
        std::string text;
        std::optional<std::uint64_t> number;
    };
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::set<int>, qxhost::listkit::KeyHash, std::equal_to<>> positions;

    int first_position(std::string_view text) const
    {
        auto found = positions.find(text);
        return found == positions.end() ? -1 : *found->second.begin();
    }

    void set_text(int position, std::string_view text)
    {
        Entry& entry = entries[static_cast<std::size_t>(position)];
        if (entry.text == text) return;
        auto old = positions.find(entry.text);
        old->second.erase(position);
        if (old->second.empty()) positions.erase(old);
        entry.text.assign(text.data(), text.size());
        positions[entry.text].insert(position);
    }

    const Entry* at(int position) const
    {
        if (position < 0 || static_cast<std::size_t>(position) >= entries.size()) return nullptr;
        return &entries[static_cast<std::size_t>(position)];
    }
};

int list_pop_first(std::string& text, std::string& out)
{
    if (text.empty()) {
        out.clear();
        return 0;
    }
    const std::size_t line_end = text.find('\n');
    if (line_end == std::string::npos) {
        out = std::move(text);
        text.clear();
        return 1;
    }
    out.assign(text, 0, line_end);
    text.erase(0, line_end + 1);
    return 1;
}

const char* list2_get_slot_value(QX_LIST keys, QX_LIST values, std::string_view key, std::uint64_t* number)
{
    if (keys == nullptr || values == nullptr) return nullptr;
    const QxList2::Entry* entry = values->at(keys->first_position(key));
    if (entry == nullptr) return nullptr;
    if (number != nullptr) *number = entry->number.value_or(0);
    return entry->text.c_str();
}

int list2_add_slot_value(QX_LIST keys, QX_LIST values, std::string_view key, std::string_view text,
                         std::uint64_t number)
{
    if (keys == nullptr || values == nullptr) return 0;
    const int position = keys->first_position(key);
    if (values->at(position) == nullptr) return 0;
    // `text` may view the entry it replaces; set_text copies before it frees.
    const std::string copy(text);
    values->set_text(position, copy);
    values->entries[static_cast<std::size_t>(position)].number = number;
    return 1;
}

int list2_get_item_location(QX_LIST list, std::string_view text)
{
    return list == nullptr ? -1 : list->first_position(text);
}

const char* list2_get_item(QX_LIST list, int position, std::uint64_t* number)
{
    if (list == nullptr) return nullptr;
    const QxList2::Entry* entry = list->at(position);
    if (entry == nullptr) return nullptr;
    if (number != nullptr) *number = entry->number.value_or(0);
    return entry->text.c_str();
}

QX_LIST list2_create() { return new QxList2(); }

void list2_destroy(QX_LIST list) { delete list; }

void list2_append(QX_LIST list, std::string_view text)
{
    if (list == nullptr) return;
    const int position = static_cast<int>(list->entries.size());
    list->entries.push_back({std::string(text), std::nullopt});
    list->positions[list->entries.back().text].insert(position);
}

int list2_get_length(QX_LIST list) { return list == nullptr ? 0 : static_cast<int>(list->entries.size()); }

int list2_get_number(QX_LIST list, int position, std::uint64_t* number)
{
    if (list == nullptr) return 0;
    const QxList2::Entry* entry = list->at(position);
    if (entry == nullptr || !entry->number) return 0;
    if (number != nullptr) *number = *entry->number;
    return 1;
}
