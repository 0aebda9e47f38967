// Balance lines: one stream's net duty and direction as the text
// "VALUE-DIRECTION\n", and their reduction to one net duty per utility.
#ifndef TOVEX_RATES_DUTY_LINES_H
#define TOVEX_RATES_DUTY_LINES_H

#include <string>
#include <string_view>

namespace tovex {

// Duties of one stream's balance [duty units].
struct duty_sums {
    double outlet = 0.0;  // the stream's own duty and the partners at "Outlet"
    double other = 0.0;   // the partners at every other connector
};

// Outlet sum less other sum [duty units].
double net_duty(const duty_sums& sums);

// "MIX" when nothing was joined at other connectors; else "IN" for a negative
// net duty, "OUT" for zero or more.
std::string_view duty_direction(const duty_sums& sums);

// "%f" of the absolute net duty, "-", the direction and a line feed.
std::string balance_line(const duty_sums& sums);

// Sums of one utility's balance lines by direction [duty units].
struct direction_sums {
    double in = 0.0;
    double out = 0.0;
    double mix = 0.0;
};

// Adds the number at the start of `line` to the sum of the first of "-IN",
// "-OUT", "-MIX" found anywhere in it; a line with none is ignored.
void add_balance_line(const std::string& line, direction_sums& sums);

// The utility's net duty: with any mixed duty, the mix sum less the directed
// sums (possibly negative); otherwise the directed sums.
double net_balance_duty(const direction_sums& sums);

}  // namespace tovex

#endif
