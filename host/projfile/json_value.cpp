#include "projfile/json_value.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace qxhost {

static_assert(std::is_trivially_copyable_v<JsonValue> && std::is_trivially_copyable_v<JsonMember>);

JsonValue JsonValue::of_bool(bool value)
{
    JsonValue json(Kind::boolean);
    json.boolean_ = value;
    return json;
}

JsonValue JsonValue::of_integer(std::int64_t value)
{
    JsonValue json(Kind::integer);
    json.integer_ = value;
    return json;
}

JsonValue JsonValue::of_unsigned(std::uint64_t value)
{
    JsonValue json(Kind::unsigned_integer);
    json.unsigned_ = value;
    return json;
}

JsonValue JsonValue::of_double(double value)
{
    JsonValue json(Kind::floating);
    json.double_ = value;
    return json;
}

JsonValue JsonValue::of_string(std::string_view text)
{
    JsonValue json(Kind::string, text.size());
    json.text_ = text.data();
    return json;
}

JsonValue JsonValue::of_array(std::span<const JsonValue> elements)
{
    JsonValue json(Kind::array, elements.size());
    json.elements_ = elements.data();
    return json;
}

JsonValue JsonValue::of_object(std::span<const JsonMember> members)
{
    JsonValue json(Kind::object, members.size());
    json.members_ = members.data();
    return json;
}

const char* JsonValue::type_name() const
{
    switch (kind_) {
    case Kind::null: return "null";
    case Kind::boolean: return "boolean";
    case Kind::integer:
    case Kind::unsigned_integer:
    case Kind::floating: return "number";
    case Kind::string: return "string";
    case Kind::array: return "array";
    case Kind::object: return "object";
    }
    return "null";
}

std::int64_t JsonValue::integer() const
{
    return kind_ == Kind::unsigned_integer ? static_cast<std::int64_t>(unsigned_) : integer_;
}

double JsonValue::number() const
{
    switch (kind_) {
    case Kind::integer: return static_cast<double>(integer_);
    case Kind::unsigned_integer: return static_cast<double>(unsigned_);
    case Kind::floating: return double_;
    default: return 0.0;
    }
}

namespace {

constexpr std::size_t block_bytes = 1 << 16;

}  // namespace

void* JsonArena::allocate(std::size_t bytes, std::size_t alignment)
{
    while (current_ < blocks_.size()) {
        Block& block = blocks_[current_];
        const std::size_t start = (used_ + alignment - 1) & ~(alignment - 1);
        if (start + bytes <= block.size) {
            used_ = start + bytes;
            return block.bytes.get() + start;
        }
        ++current_;
        used_ = 0;
    }
    // operator new[] aligns for any fundamental type.
    const std::size_t size = std::max(block_bytes, bytes);
    blocks_.push_back(Block{std::make_unique<char[]>(size), size});
    current_ = blocks_.size() - 1;
    used_ = bytes;
    return blocks_.back().bytes.get();
}

std::string_view JsonArena::copy(std::string_view text)
{
    if (text.empty()) return {};
    char* bytes = static_cast<char*>(allocate(text.size(), 1));
    std::memcpy(bytes, text.data(), text.size());
    return {bytes, text.size()};
}

std::span<const JsonValue> JsonArena::copy(std::span<const JsonValue> elements)
{
    if (elements.empty()) return {};
    auto* stored = static_cast<JsonValue*>(allocate(elements.size_bytes(), alignof(JsonValue)));
    std::memcpy(static_cast<void*>(stored), elements.data(), elements.size_bytes());
    return {stored, elements.size()};
}

std::span<const JsonMember> JsonArena::copy(std::span<const JsonMember> members)
{
    if (members.empty()) return {};
    auto* stored = static_cast<JsonMember*>(allocate(members.size_bytes(), alignof(JsonMember)));
    std::memcpy(static_cast<void*>(stored), members.data(), members.size_bytes());
    return {stored, members.size()};
}

void JsonArena::reset()
{
    current_ = 0;
    used_ = 0;
}

}  // namespace qxhost
