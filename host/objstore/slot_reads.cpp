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

}  // namespace

// A conversion that fails names the object and slot of the last number read
// that was tried, found or not, with units or without: a missing "DUTY"
// leaves the caller's units as they were, and its conversion belongs to the
// slot that was tried, not to whatever was read before.
bool read_into_slot(const Value* value, CqxSlot& out, const ReadSource& source)
{
    if (value == nullptr || value->kind == Value::Kind::number) note_source(source);
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
    note_source(source);
    if (value == nullptr) return false;
    auto read = value_as_number(*value);
    if (!read) return false;
    number = read->first;
    units = std::move(read->second);
    return true;
}

}  // namespace qxhost
