#include "reports/priced_unit.h"

#include "common/text.h"
#include "host/listkit.h"
#include "host/textkit.h"

namespace tovex {

std::string summary_priced_unit(std::string_view cost_units)
{
    std::string unit(cost_units);
    blank_through_first_slash(unit);
    text_remove_initial_and_trailing_blanks(unit);
    return unit;
}

std::string detail_priced_unit(std::string_view cost_units)
{
    CqxString text(cost_units);
    text.TrimRight();
    text.TrimLeft();
    const int slash = text.Find('/');
    if (slash >= 0) text = text.Right(text.GetLength() - slash - 1).Str();
    if (text.IsBlank()) return {};
    return text.Str();
}

}  // namespace tovex
