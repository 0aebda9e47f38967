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

[[noreturn]] void invalid(const std::string& pointer, std::string reason);

std::string child_pointer(const std::string& pointer, std::string_view key);
std::string child_pointer(const std::string& pointer, std::size_t index);

// An object whose keys are all among `allowed`.
JsonObject expect_object(const JsonValue& value, const std::string& pointer,
                         std::initializer_list<std::string_view> allowed);
// An object with any keys.
JsonObject expect_any_object(const JsonValue& value, const std::string& pointer);
JsonArray expect_array(const JsonValue& value, const std::string& pointer);
std::string_view expect_string(const JsonValue& value, const std::string& pointer);
bool expect_bool(const JsonValue& value, const std::string& pointer);
int expect_int(const JsonValue& value, const std::string& pointer);
std::uint32_t expect_uint32(const JsonValue& value, const std::string& pointer);
std::uint64_t expect_uint64(const JsonValue& value, const std::string& pointer);
double expect_number(const JsonValue& value, const std::string& pointer);

// The member `key` of an object, or null.
const JsonValue* member(JsonObject object, std::string_view key);
// The member `key`, which must be there.
const JsonValue& required_member(JsonObject object, std::string_view key, const std::string& pointer);

}  // namespace qxhost

#endif
