#include "model/value_parts.h"

#include <functional>
#include <unordered_set>

namespace qxhost {

namespace {

struct EntryHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    std::size_t operator()(const UnitsText::Entry& entry) const { return (*this)(std::string_view(entry.text)); }
};

struct EntryEqual {
    using is_transparent = void;
    static std::string_view text_of(std::string_view text) { return text; }
    static std::string_view text_of(const UnitsText::Entry& entry) { return entry.text; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const { return text_of(a) == text_of(b); }
};

using Entries = std::unordered_set<UnitsText::Entry, EntryHash, EntryEqual>;

// Never destroyed: a value in a static object may let its text go after
// every static object of this library is gone. The set is empty by then
// unless such values are still alive.
Entries& entries()
{
    static auto* texts = new Entries();
    return *texts;
}

union EmptyEntry {
    constexpr EmptyEntry() : entry() {}
    ~EmptyEntry() {}  // NOLINT: the entry outlives every value
    UnitsText::Entry entry;
};
// clang 14 cannot evaluate libstdc++ 12's string constructor at compile
// time (its fuzzing build); there the empty entry is made at start-up, first
// of this library's objects, before any of their values is made.
#if defined(__clang__) && __clang_major__ < 15
__attribute__((init_priority(101))) EmptyEntry empty_units;
#else
constinit EmptyEntry empty_units;
#endif

}  // namespace

const UnitsText::Entry& UnitsText::empty_entry_ = empty_units.entry;

const UnitsText::Entry* UnitsText::intern(std::string_view text)
{
    if (text.empty()) return &empty_entry_;
    Entries& texts = entries();
    auto found = texts.find(text);
    if (found == texts.end()) found = texts.insert(Entry{std::string(text), 0}).first;
    ++found->holders;
    return &*found;
}

void UnitsText::forget(const Entry* entry)
{
    Entries& texts = entries();
    texts.erase(texts.find(std::string_view(entry->text)));
}

}  // namespace qxhost
