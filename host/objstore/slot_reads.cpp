#include "objstore/slot_reads.h"

#include "host/unitkit.h"

namespace qxhost {

namespace {

void note_source(const ReadSource& source)
{
    std::string& text = unitkit_source_text();
    text.clear();
    source.append_to(text);
}

bool has_units(const Value& value) { return value.kind == Value::Kind::number && !value.units.empty(); }

}  // namespace

bool read_into_slot(const Value* value, CqxSlot& out, const ReadSource& source)
{
    if (value == nullptr) return false;
    switch (value->kind) {
    case Value::Kind::text:
        out.SetText(value->text);
        break;
    case Value::Kind::number:
        out.SetNumber(value->number, value->units);
        break;
    case Value::Kind::list:
        out.SetList(value->items);
        break;
    }
    if (has_units(*value)) note_source(source);
    return true;
}

bool read_as_text(const Value* value, std::string& out, const ReadSource& source)
{
    if (value == nullptr) return false;
    out = value_as_text(*value);
    // A text read may carry a unit text ("Unit Cost Units", "Energy units")
    // that is converted or classified next, so it names its source too.
    note_source(source);
    return true;
}

bool read_as_number(const Value* value, double& number, std::string& units, const ReadSource& source)
{
    if (value == nullptr) return false;
    auto read = value_as_number(*value);
    if (!read) return false;
    number = read->first;
    units = std::move(read->second);
    if (!units.empty()) note_source(source);
    return true;
}

}  // namespace qxhost
