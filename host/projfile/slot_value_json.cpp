#include "projfile/slot_value_json.h"

#include <cmath>
#include <limits>

#include "host/textkit.h"
#include "projfile/json_checks.h"
#include "projfile/projfile.h"

namespace qxhost {

namespace {

const char* const number_forms =
    "a number, or {\"value\": NUMBER, \"units\": TEXT} with NUMBER a number or \"inf\", \"-inf\", \"nan\"";

double non_finite_from_text(std::string_view text, const JsonPointer& pointer)
{
    if (text == "inf") return std::numeric_limits<double>::infinity();
    if (text == "-inf") return -std::numeric_limits<double>::infinity();
    if (text == "nan") return std::numeric_limits<double>::quiet_NaN();
    invalid(pointer, "expected a number or \"inf\", \"-inf\", \"nan\", found " + quoted_excerpt(text));
}

std::pair<double, std::string> number_object_from_json(const JsonValue& json, const JsonPointer& pointer)
{
    const JsonObject object = expect_object(json, pointer, {"value", "units"});
    const JsonValue& value = required_member(object, "value", pointer);
    double number = 0.0;
    if (value.is_string()) number = non_finite_from_text(value.string(), pointer / "value");
    else number = expect_number(value, pointer / "value");
    std::string units;
    if (const JsonValue* given = member(object, "units")) {
        units = expect_string(*given, pointer / "units");
    }
    return {number, units};
}

Value number_value(double number, std::string units)
{
    Value value;
    value.kind = Value::Kind::number;
    value.number = number;
    value.units = std::move(units);
    return value;
}

}  // namespace

std::pair<double, std::string> number_with_units_from_json(const JsonValue& json, const JsonPointer& pointer)
{
    if (json.is_number()) return {json.number(), std::string()};
    if (json.is_object()) return number_object_from_json(json, pointer);
    invalid(pointer, std::string("expected ") + number_forms + ", found " + json.type_name());
}

void write_number_with_units(JsonWriter& out, double number, const std::string& units)
{
    if (std::isfinite(number) && units.empty()) return out.number(number);
    out.begin_object();
    out.key("value");
    if (std::isnan(number)) out.string("nan");
    else if (std::isinf(number)) out.string(number > 0 ? "inf" : "-inf");
    else out.number(number);
    if (!units.empty()) {
        out.key("units");
        out.string(units);
    }
    out.end();
}

Value slot_value_from_json(const JsonValue& json, const JsonPointer& pointer)
{
    if (json.is_string()) {
        Value value;
        value.kind = Value::Kind::text;
        value.text = json.string();
        return value;
    }
    if (json.is_number() || json.is_object()) {
        auto [number, units] = number_with_units_from_json(json, pointer);
        return number_value(number, std::move(units));
    }
    if (json.is_array()) {
        Value value;
        value.kind = Value::Kind::list;
        const JsonArray items = json.elements();
        for (std::size_t i = 0; i < items.size(); ++i) {
            value.items.push_back(std::string(expect_string(items[i], pointer / i)));
        }
        return value;
    }
    invalid(pointer, std::string("expected a slot value (a string, ") + number_forms +
                         ", or an array of strings), found " + json.type_name());
}

void write_slot_value(JsonWriter& out, const Value& value)
{
    switch (value.kind) {
    case Value::Kind::text:
        return out.string(value.text);
    case Value::Kind::number:
        return write_number_with_units(out, value.number, value.units);
    case Value::Kind::list:
        break;
    }
    out.begin_array();
    for (const std::string& item : value.items) out.string(item);
    out.end();
}

SlotTable slot_table_from_json(const JsonValue& json, const JsonPointer& pointer)
{
    SlotTable slots;
    for (const auto& [name, value] : expect_any_object(json, pointer)) {
        slots.set(name, slot_value_from_json(value, pointer / name));
    }
    return slots;
}

namespace {

void warn_unless_slot_utf8(const std::string& name, const Value& value, std::string_view owner)
{
    std::string place(owner);
    place.append(" / ").append(name);
    warn_unless_utf8(name, place, "the state");
    warn_unless_utf8(value.text, place, "the state");
    warn_unless_utf8(value.units, place, "the state");
    for (const std::string& item : value.items) warn_unless_utf8(item, place, "the state");
}

}  // namespace

// The writer tells whether a text had bytes that are not UTF-8: only then
// are the slot's texts checked one by one, for the warnings.
void write_slot_table(JsonWriter& out, const SlotTable& slots, std::string_view owner)
{
    out.begin_object();
    for (const auto& [name, value] : slots) {
        const std::size_t replaced = out.replaced_texts();
        out.key(name.str());
        write_slot_value(out, value);
        if (out.replaced_texts() != replaced) warn_unless_slot_utf8(name.str(), value, owner);
    }
    out.end();
}

}  // namespace qxhost
