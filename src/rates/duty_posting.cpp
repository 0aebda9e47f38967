// Reducing the duty balance of each utility to one net duty, and posting it.
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text.h"
#include "costs/cost_posting.h"
#include "host/listkit.h"
#include "host/unitkit.h"
#include "rates/duty_balance.h"
#include "rates/duty_units.h"

namespace tovex {

namespace {

// Sums of one utility's balance lines by direction [duty units].
struct direction_sums {
    double in = 0.0;
    double out = 0.0;
    double mix = 0.0;
};

// The number at the start of a balance line, up to its direction marker.
double leading_duty(const std::string& line, std::string::size_type marker)
{
    const std::string number = line.substr(0, marker);
    return std::strtod(number.c_str(), nullptr);
}

// Adds a balance line to the sum of its direction. The markers are searched
// in this order anywhere in the line; a line with none of them is ignored.
void add_balance_line(const std::string& line, direction_sums& sums)
{
    if (const auto marker = line.find("-IN"); marker != std::string::npos)
        sums.in += leading_duty(line, marker);
    else if (const auto marker = line.find("-OUT"); marker != std::string::npos)
        sums.out += leading_duty(line, marker);
    else if (const auto marker = line.find("-MIX"); marker != std::string::npos)
        sums.mix += std::fabs(leading_duty(line, marker));
}

// A utility with mixed streams nets the mix against the directed lines; the
// result may be negative, and callers rely on its sign.
double net_balance_duty(const direction_sums& sums)
{
    if (sums.mix != 0.0) return sums.mix - (sums.in + sums.out);
    return sums.in + sums.out;
}

}  // namespace

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

        const double net_duty = net_balance_duty(sums);  // [duty units]
        const std::string_view units = duty_units_for(units_get_unit_type());
        std::string posting_text = fixed6(net_duty) + '\n' + std::string(units);
        post_utility_cost(utility_name, posting_text, names, cost_slots, values);
    }
    return 1;
}

}  // namespace tovex
