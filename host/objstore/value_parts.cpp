#include "objstore/value_parts.h"

#include <functional>
#include <unordered_set>

namespace qxhost {

namespace {

struct InternHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// The empty text is made at compile time, so that it is there before any
// static object is made, and never destroyed, like the interned texts.
union UnitsStorage {
    constexpr UnitsStorage() : text() {}
    ~UnitsStorage() {}  // NOLINT: the text outlives every value
    std::string text;
};
constinit UnitsStorage empty_units;

}  // namespace

const std::string* const UnitsText::empty_text_ = &empty_units.text;

const std::string* UnitsText::intern(std::string_view text)
{
    if (text.empty()) return empty_text_;
    // Never destroyed: units handed out stay valid in other static objects'
    // destructors, whatever the order of destruction at exit.
    static auto* texts = new std::unordered_set<std::string, InternHash, std::equal_to<>>();
    auto found = texts->find(text);
    if (found == texts->end()) found = texts->emplace(text).first;
    return &*found;
}

}  // namespace qxhost
