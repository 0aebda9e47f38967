#include "run_results/detailed_lines.h"

#include "run_results/report_text.h"

namespace qxhost::run_results {

namespace {

// The Item column holds the first 14 characters of the item's name.
constexpr std::size_t item_column_length = 14;

}  // namespace

// A utility line begins "UTILITY","FLUID","ITEM","DESCRIPTION",RATE,"UNITS",
// "RATE UNITS", COST, and the texts are printed unescaped: a text holding
// the separators would be read short, and its line then matches no record.
DetailedLines::DetailedLines(std::string_view report)
{
    for (std::string_view rest; next_line(report, rest);) {
        std::string_view utility, fluid, item, description, rate, units, rate_units, cost;
        if (!rest.starts_with('"')) continue;
        rest.remove_prefix(1);
        if (!take_field(rest, "\",\"", utility) || !take_field(rest, "\",\"", fluid) ||
            !take_field(rest, "\",\"", item) || !take_field(rest, "\",", description) ||
            !take_field(rest, ",\"", rate) || !take_field(rest, "\",\"", units) ||
            !take_field(rest, "\", ", rate_units) || !take_field(rest, ",", cost))
            continue;
        Line& line = lines_[Key{utility, item}].lines.emplace_back();
        line.rate = printed_number(rate);
        line.cost_per_hour = printed_number(cost);
    }
}

std::optional<double> DetailedLines::take(std::string_view utility, std::string_view item, double rate)
{
    const auto found = lines_.find(Key{utility, item.substr(0, item_column_length)});
    if (found == lines_.end()) return std::nullopt;
    Queue& queue = found->second;
    if (queue.next == queue.lines.size() || queue.lines[queue.next].rate != rate) return std::nullopt;
    return queue.lines[queue.next++].cost_per_hour;
}

}  // namespace qxhost::run_results
