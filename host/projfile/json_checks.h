// Checks of the values of a project document: each one either returns the
// value in the form asked for or throws InvalidValue naming where it stands
// (a JSON Pointer) and what was expected.
#ifndef QXHOST_PROJFILE_JSON_CHECKS_H
#define QXHOST_PROJFILE_JSON_CHECKS_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "projfile/json_document.h"

namespace qxhost {

struct InvalidValue {
    std::string pointer;
    std::string reason;
};

// A JSON Pointer, made into text only when a message needs it: reading a
// large file checks millions of values and nearly none is wrong. A pointer
// below a fixed path ("/objects") stands alone; one below another pointer
// refers to it, which must outlive it.
class JsonPointer {
public:
    JsonPointer() = default;  // the document
    JsonPointer(const char* path) : path_(path) {}  // NOLINT: a fixed path, as written ("/project")

    JsonPointer operator/(std::string_view key) const { return child(key, 0, false); }
    JsonPointer operator/(std::size_t index) const { return child({}, index, true); }
    std::string str() const;

private:
    JsonPointer child(std::string_view key, std::size_t index, bool is_index) const;

    const JsonPointer* parent_ = nullptr;
    const char* path_ = "";
    bool has_token_ = false;
    bool is_index_ = false;
    std::string_view key_;
    std::size_t index_ = 0;
};

[[noreturn]] void invalid(const JsonPointer& pointer, std::string reason);

// An object whose keys are all among `allowed`.
JsonObject expect_object(const JsonValue& value, const JsonPointer& pointer,
                         std::initializer_list<std::string_view> allowed);
// An object with any keys.
JsonObject expect_any_object(const JsonValue& value, const JsonPointer& pointer);
JsonArray expect_array(const JsonValue& value, const JsonPointer& pointer);
std::string_view expect_string(const JsonValue& value, const JsonPointer& pointer);
bool expect_bool(const JsonValue& value, const JsonPointer& pointer);
int expect_int(const JsonValue& value, const JsonPointer& pointer);
std::uint32_t expect_uint32(const JsonValue& value, const JsonPointer& pointer);
std::uint64_t expect_uint64(const JsonValue& value, const JsonPointer& pointer);
double expect_number(const JsonValue& value, const JsonPointer& pointer);

// The member `key` of an object, or null.
const JsonValue* member(JsonObject object, std::string_view key);
// The member `key`, which must be there.
const JsonValue& required_member(JsonObject object, std::string_view key, const JsonPointer& pointer);

}  // namespace qxhost

#endif
