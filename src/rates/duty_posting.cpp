// Reducing each utility's balance lines to one net duty, and posting it.
#include <string>
#include <string_view>

#include "common/text.h"
#include "costs/cost_posting.h"
#include "host/listkit.h"
#include "host/unitkit.h"
#include "rates/duty_balance.h"
#include "rates/duty_lines.h"
#include "tovex/results_layout.h"

namespace tovex {

int post_duty_balances(const balance_map& balances, QX_LIST names, QX_LIST cost_slots, QX_LIST values)
{
    for (const auto& [utility_name, balance_text] : balances) {
        CStrList lines;
        lines.AddTextList(balance_text, '\n');
        direction_sums sums;
        for (int index = 0; index < lines.GetLength(); ++index) {
            int length = 0;
            const char* text = lines.GetTextAt(index, &length);
            if (text == nullptr) continue;
            add_balance_line(std::string(text, static_cast<std::size_t>(length)), sums);
        }

        const double net = net_balance_duty(sums);  // [duty units]
        const std::string_view units = layout::duty_balance_units(units_get_unit_type());
        std::string posting_text = fixed6(net) + '\n' + std::string(units);
        post_utility_cost(utility_name, posting_text, names, cost_slots, values);
    }
    return 1;
}

}  // namespace tovex
