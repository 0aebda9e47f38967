// CqxValueObject: named slots in insertion order, with defaults that only
// the inheriting getters see. Subclasses say where their slots live.
#include "host/objstore.h"
#include "objstore/fault_injection.h"
#include "objstore/slot_reads.h"

namespace {

// The object's own value of `slot`, else (when inheriting) its default.
const qxhost::Value* find_value(qxhost::SlotTable* own, const qxhost::SlotTable* defaults, std::string_view slot)
{
    if (own != nullptr)
        if (const qxhost::Value* value = own->find(slot)) return value;
    return defaults != nullptr ? defaults->find(slot) : nullptr;
}

}  // namespace

int CqxValueObject::GetValue(std::string_view slot, CqxSlot& value)
{
    return qxhost::read_into_slot(find_value(OwnSlots(false), nullptr, slot), value, {this, slot}) ? 1 : 0;
}

int CqxValueObject::GetValue(std::string_view slot, std::string& text)
{
    return qxhost::read_as_text(find_value(OwnSlots(false), nullptr, slot), text, {this, slot}) ? 1 : 0;
}

int CqxValueObject::GetValue(std::string_view slot, double& number, std::string& units)
{
    return qxhost::read_as_number(find_value(OwnSlots(false), nullptr, slot), number, units,
                                  {this, slot})
               ? 1
               : 0;
}

int CqxValueObject::GetValueWithInheritance(std::string_view slot, CqxSlot& value, const void*)
{
    return qxhost::read_into_slot(find_value(OwnSlots(false), DefaultSlots(), slot), value, {this, slot})
               ? 1
               : 0;
}

int CqxValueObject::GetValueWithInheritance(std::string_view slot, std::string& text, const void*)
{
    return qxhost::read_as_text(find_value(OwnSlots(false), DefaultSlots(), slot), text, {this, slot})
               ? 1
               : 0;
}

int CqxValueObject::GetValueWithInheritance(std::string_view slot, double& number, std::string& units,
                                            const void*)
{
    return qxhost::read_as_number(find_value(OwnSlots(false), DefaultSlots(), slot), number, units,
                                  {this, slot})
               ? 1
               : 0;
}

int CqxValueObject::SetValue(std::string_view slot, double number, std::string_view units, int)
{
    if (qxhost::slot_write_should_fail()) return 0;
    qxhost::SlotTable* own = OwnSlots(true);
    if (own == nullptr) return 0;
    own->set(slot, qxhost::Value::of_number(number, std::string(units)));
    return 1;
}

int CqxValueObject::SetValue(std::string_view slot, std::string_view text, int)
{
    return WriteText(slot, text) != nullptr ? 1 : 0;
}

qxhost::Value* CqxValueObject::WriteText(std::string_view slot, std::string_view text)
{
    if (qxhost::slot_write_should_fail()) return nullptr;
    qxhost::SlotTable* own = OwnSlots(true);
    if (own == nullptr) return nullptr;
    return &own->set(slot, qxhost::Value::of_text(std::string(text)));
}

int CqxValueObject::DeleteAttribute(std::string_view slot)
{
    qxhost::SlotTable* own = OwnSlots(true);
    return own != nullptr && own->erase(slot) ? 1 : 0;
}

int CqxValueObject::GetSlots(CStrList& names, int, int)
{
    qxhost::SlotTable* own = OwnSlots(false);
    if (own == nullptr) return 0;
    for (const auto& [name, value] : *own) names.AddText(name);
    return 1;
}

qxhost::SlotTable* CqxValueObject::OwnSlots(bool) { return nullptr; }

const qxhost::SlotTable* CqxValueObject::DefaultSlots() { return nullptr; }

void CqxValueObject::AppendSourceName(std::string& out) const { out += ObjectName(); }
