#include "reports/fuel_unit_cost.h"

#include "common/text.h"
#include "host/objstore.h"

namespace tovex {

void get_fuel_unit_cost(std::uint32_t instance, CqxSlot& slot)
{
    CqxGenericObject operating_costs(instance, "OP", "Operating Unit Costs", 0, nullptr, 0);
    if (!operating_costs.IsValid()) return;
    CStrList names;
    operating_costs.GetSlots(names, 0, 0);
    // Every slot named Fuel in any letter case is read: the last one wins.
    for (int i = 0; i < names.GetLength(); ++i) {
        const char* name = names.GetTextAt(i, nullptr);
        if (name != nullptr && equals_nocase(name, "Fuel"))
            operating_costs.GetValueWithInheritance(name, slot, nullptr);
    }
}

std::optional<fuel_unit_cost> read_fuel_unit_cost(std::uint32_t instance)
{
    CqxSlot slot;
    get_fuel_unit_cost(instance, slot);
    if (!slot.IsValid()) return std::nullopt;
    fuel_unit_cost cost;
    if (slot.IsNumber()) {
        cost.value = slot.Number();
        if (slot.HasUnits()) cost.units = slot.Units();
    } else if (slot.IsList()) {
        const CStrList items = slot.List();
        const char* value = items.GetTextAt(0, nullptr);
        const char* units = items.GetTextAt(1, nullptr);
        cost.value = value ? leading_number(value) : 0.0;
        cost.units = units ? units : "";
    }
    return cost;
}

}  // namespace tovex
