#include "run_results/summary_lines.h"

#include "run_results/report_text.h"

namespace qxhost::run_results {

namespace {

// The fields after the name and fluid: %f,"UNIT","RATE UNITS","%f",COST UNITS.
// The texts are printed unescaped, so a unit holding '","' would be read
// short; no unit code does.
std::optional<SummaryFields> fields_of(std::string_view rest)
{
    std::string_view rate, priced_unit, rate_units, cost;
    if (!take_field(rest, ",\"", rate) || !take_field(rest, "\",\"", priced_unit) ||
        !take_field(rest, "\",\"", rate_units) || !take_field(rest, "\",", cost))
        return std::nullopt;
    return SummaryFields{std::string(rate), std::string(priced_unit), std::string(rate_units), printed_number(cost)};
}

}  // namespace

std::optional<SummaryFields> summary_line(std::string_view summary, std::string_view name, std::string_view fluid,
                                          bool last)
{
    std::string prefix;
    prefix.append(1, '"').append(name).append("\",\"").append(fluid).append("\",");
    std::optional<SummaryFields> found;
    for (std::string_view line; next_line(summary, line);) {
        if (!line.starts_with(prefix)) continue;
        found = fields_of(line.substr(prefix.size()));
        if (!last) break;
    }
    return found;
}

}  // namespace qxhost::run_results
