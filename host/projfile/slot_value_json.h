// The JSON forms of a slot value and of a number with units:
//   "text"                              text
//   12.5                                number without units
//   {"value": 12.5, "units": "KW"}      number with units (empty units: without)
//   ["a", "b"]                          list
//   {"value": "inf"} ("-inf", "nan")    a number that is not finite, units allowed
#ifndef QXHOST_PROJFILE_SLOT_VALUE_JSON_H
#define QXHOST_PROJFILE_SLOT_VALUE_JSON_H

#include <string>
#include <string_view>
#include <utility>

#include "model/slot_table.h"
#include "projfile/json_checks.h"
#include "projfile/json_document.h"
#include "json/json_writer.h"

namespace qxhost {

// Throws InvalidValue when `json` has none of the forms above.
Value slot_value_from_json(const JsonValue& json, const JsonPointer& pointer);
void write_slot_value(JsonWriter& out, const Value& value);

// A number with optional units: a JSON number, or the object form.
std::pair<double, std::string> number_with_units_from_json(const JsonValue& json, const JsonPointer& pointer);
void write_number_with_units(JsonWriter& out, double number, const std::string& units);

// Every slot of a JSON object, in order.
SlotTable slot_table_from_json(const JsonValue& json, const JsonPointer& pointer);
// `owner` names the object in the warning for a text that is not UTF-8.
void write_slot_table(JsonWriter& out, const SlotTable& slots, std::string_view owner);

}  // namespace qxhost

#endif
