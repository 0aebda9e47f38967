// Cost posting: adding a value text into the value of a cost slot.
#include "costs/cost_posting.h"

#include <cstring>

#include "common/guard.h"
#include "common/text.h"
#include "tovex/tovex.h"

namespace tovex {

std::int32_t add_utility_costs(QX_LIST keys, QX_LIST values, std::string_view key, std::string& value_text)
{
    const value_text_parts posted = split_value_text(std::move(value_text));
    double amount = leading_number(posted.amount);

    // The stored units are not used: the latest posting's units win.
    if (const char* stored = list2_get_slot_value(keys, values, key, nullptr))
        amount = leading_number(split_value_text(stored).amount) + amount;

    value_text = general7_with_units(amount, posted.units);
    return list2_add_slot_value(keys, values, key, value_text, 0);
}

void post_utility_cost(std::string_view utility, std::string& value_text, QX_LIST names, QX_LIST cost_slots,
                       QX_LIST values)
{
    const char* cost_slot = list2_get_slot_value(names, cost_slots, utility, nullptr);
    if (cost_slot == nullptr) return;
    // A copy: the posting must not read a text that the lists may move.
    const std::string slot = cost_slot;
    add_utility_costs(cost_slots, values, slot, value_text);
}

}  // namespace tovex

TOVEX_API int32_t tovex_add_utility_costs(QxList2* keys, QxList2* values, const char* key, char* value_text)
{
    return tovex::guarded(0, [&]() -> int32_t {
        if (key == nullptr || value_text == nullptr) return 0;
        std::string text = value_text;
        const int32_t result = tovex::add_utility_costs(keys, values, key, text);
        // The caller's buffer has room for the stored text by contract.
        std::memcpy(value_text, text.c_str(), text.size() + 1);
        return result;
    });
}
