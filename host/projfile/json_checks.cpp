#include "projfile/json_checks.h"

#include <limits>
#include <type_traits>
#include <utility>

namespace qxhost {

JsonPointer JsonPointer::child(std::string_view key, std::size_t index, bool is_index) const
{
    JsonPointer below;
    if (parent_ == nullptr && !has_token_) {
        below.path_ = path_;
    } else {
        below.parent_ = this;
    }
    below.has_token_ = true;
    below.is_index_ = is_index;
    below.key_ = key;
    below.index_ = index;
    return below;
}

std::string JsonPointer::str() const
{
    std::string text = parent_ != nullptr ? parent_->str() : std::string(path_);
    // Appended, not made with a literal on the left of operator+: that trips
    // a false -Wrestrict of GCC 12 in optimised builds.
    if (!has_token_) return text;
    text += '/';
    text += is_index_ ? std::to_string(index_) : pointer_token(key_);
    return text;
}

void invalid(const JsonPointer& pointer, std::string reason) { throw InvalidValue{pointer.str(), std::move(reason)}; }

JsonObject expect_any_object(const JsonValue& value, const JsonPointer& pointer)
{
    if (!value.is_object()) invalid(pointer, std::string("expected an object, found ") + value.type_name());
    return value.members();
}

JsonObject expect_object(const JsonValue& value, const JsonPointer& pointer,
                         std::initializer_list<std::string_view> allowed)
{
    const JsonObject object = expect_any_object(value, pointer);
    for (const auto& [key, ignored] : object) {
        bool known = false;
        for (std::string_view name : allowed) known = known || key == name;
        if (known) continue;
        std::string expected;
        for (std::string_view name : allowed) {
            if (!expected.empty()) expected += ", ";
            expected.append("\"").append(name).append("\"");
        }
        invalid(pointer / key, "unknown key " + quoted_excerpt(key) + " (expected one of " + expected + ")");
    }
    return object;
}

JsonArray expect_array(const JsonValue& value, const JsonPointer& pointer)
{
    if (!value.is_array()) invalid(pointer, std::string("expected an array, found ") + value.type_name());
    return value.elements();
}

std::string_view expect_string(const JsonValue& value, const JsonPointer& pointer)
{
    if (!value.is_string()) invalid(pointer, std::string("expected a string, found ") + value.type_name());
    return value.string();
}

bool expect_bool(const JsonValue& value, const JsonPointer& pointer)
{
    if (!value.is_boolean()) invalid(pointer, std::string("expected true or false, found ") + value.type_name());
    return value.boolean();
}

namespace {

// The integer in `value` when it is one and lies in [low, high].
template <class Int>
Int expect_integer_in(const JsonValue& value, const JsonPointer& pointer, const char* what)
{
    const auto low = std::numeric_limits<Int>::min();
    const auto high = std::numeric_limits<Int>::max();
    bool in_range = false;
    if (value.is_number_unsigned()) {
        in_range = value.unsigned_integer() <= static_cast<std::uint64_t>(high);
    } else if (value.is_number_integer()) {
        const auto number = value.integer();
        if (number >= 0) {
            in_range = static_cast<std::uint64_t>(number) <= static_cast<std::uint64_t>(high);
        } else if constexpr (std::is_signed_v<Int>) {
            in_range = number >= static_cast<std::int64_t>(low);
        }
    } else {
        invalid(pointer, std::string("expected ") + what + ", found " +
                             (value.is_number_float() ? "a number with a fraction or exponent" : value.type_name()));
    }
    if (!in_range) invalid(pointer, std::string("expected ") + what + ", found " + value_excerpt(value));
    return value.is_number_unsigned() ? static_cast<Int>(value.unsigned_integer()) : static_cast<Int>(value.integer());
}

}  // namespace

int expect_int(const JsonValue& value, const JsonPointer& pointer)
{
    return expect_integer_in<int>(value, pointer, "an integer");
}

std::uint32_t expect_uint32(const JsonValue& value, const JsonPointer& pointer)
{
    return expect_integer_in<std::uint32_t>(value, pointer, "an unsigned 32-bit integer");
}

std::uint64_t expect_uint64(const JsonValue& value, const JsonPointer& pointer)
{
    return expect_integer_in<std::uint64_t>(value, pointer, "an unsigned 64-bit integer");
}

double expect_number(const JsonValue& value, const JsonPointer& pointer)
{
    if (!value.is_number()) invalid(pointer, std::string("expected a number, found ") + value.type_name());
    return value.number();
}

const JsonValue* member(JsonObject object, std::string_view key)
{
    for (const auto& [name, value] : object) {
        if (name == key) return &value;
    }
    return nullptr;
}

const JsonValue& required_member(JsonObject object, std::string_view key, const JsonPointer& pointer)
{
    const JsonValue* value = member(object, key);
    if (value == nullptr) invalid(pointer / key, "required key \"" + std::string(key) + "\" is missing");
    return *value;
}

}  // namespace qxhost
