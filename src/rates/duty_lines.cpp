#include "rates/duty_lines.h"

#include <cmath>

#include "common/text.h"

namespace tovex {

double net_duty(const duty_sums& sums) { return sums.outlet - sums.other; }

std::string_view duty_direction(const duty_sums& sums)
{
    if (sums.other == 0.0) return "MIX";
    return net_duty(sums) < 0.0 ? "IN" : "OUT";
}

std::string balance_line(const duty_sums& sums)
{
    std::string line = fixed6(std::fabs(net_duty(sums)));
    line += '-';
    line += duty_direction(sums);
    line += '\n';
    return line;
}

namespace {

// The number before the marker (0 when none).
double leading_duty(const std::string& line, std::string::size_type marker)
{
    return leading_number(std::string_view(line).substr(0, marker));
}

}  // namespace

void add_balance_line(const std::string& line, direction_sums& sums)
{
    if (const auto marker = line.find("-IN"); marker != std::string::npos)
        sums.in += leading_duty(line, marker);
    else if (const auto marker = line.find("-OUT"); marker != std::string::npos)
        sums.out += leading_duty(line, marker);
    else if (const auto marker = line.find("-MIX"); marker != std::string::npos)
        sums.mix += std::fabs(leading_duty(line, marker));
}

double net_balance_duty(const direction_sums& sums)
{
    if (sums.mix != 0.0) return sums.mix - (sums.in + sums.out);
    return sums.in + sums.out;
}

}  // namespace tovex
