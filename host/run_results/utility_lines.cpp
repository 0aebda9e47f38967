#include <tuple>

#include "host/textkit.h"
#include "textkit/text_trimmed.h"
#include "run_results/run_results.h"
#include "run_results/summary_lines.h"
#include "tovex/results_layout.h"

namespace qxhost::run_results {

namespace {

// A posted value is the amount, a line feed and the units.
std::pair<std::string, std::string> amount_and_units(std::string_view value)
{
    const std::size_t feed = value.find('\n');
    const std::string_view amount = value.substr(0, feed);
    const std::string_view units = feed == std::string_view::npos ? std::string_view() : value.substr(feed + 1);
    return {std::string(text_trimmed(amount)), std::string(text_trimmed(units.substr(0, units.find('\n'))))};
}

std::optional<double> leading_number(std::string_view text)
{
    double number = 0.0;
    if (convert_todouble(text, &number) == 0) return std::nullopt;
    return number;
}

std::optional<double> number_in(const SlotTable& slots, std::string_view slot, std::string* units = nullptr)
{
    const Value* value = slots.find(slot);
    if (value == nullptr) return std::nullopt;
    const auto number = value_as_number(*value);
    if (!number) return std::nullopt;
    if (units != nullptr) *units = number->second;
    return number->first;
}

std::string text_in(const SlotTable& slots, std::string_view slot)
{
    const Value* value = slots.find(slot);
    return value != nullptr ? value_as_text(*value) : std::string();
}

// As the summary printed it: its own line, which the summary gives only
// for a load above 0.
std::optional<UtilityLine> electricity_line(std::string_view summary)
{
    const auto printed = summary_line(summary, "Electricity", "");
    if (!printed) return std::nullopt;
    UtilityLine line;
    line.name = "Electricity";
    line.rate_text = printed->rate_text;
    line.rate = leading_number(printed->rate_text);
    line.rate_units = printed->rate_units;
    line.priced_unit = printed->priced_unit;
    line.cost_per_hour = printed->cost_per_hour;
    return line;
}

// The rate and cost the run wrote onto the entry; the priced unit as the
// summary printed it, when it printed the entry.
void price_from_entry(const Project& after, const Entry& entry, std::string_view summary, UtilityLine& line)
{
    line.fluid = text_in(entry.slots, "Fluid");
    line.rate = number_in(entry.slots, tovex::layout::rate_per_hour_slot, &line.rate_units);
    line.cost_per_hour = number_in(entry.slots, tovex::layout::entry_cost_per_hour_slot);
    if (const auto printed = summary_line(summary, line.name, line.fluid)) line.priced_unit = printed->priced_unit;
    line.in_total = after.has_utility_streams && after.utility_streams_valid && entry.valid;
}

// Fuel's cost is on the summary's last line alone.
void price_as_fuel(std::string_view summary, UtilityLine& line)
{
    line.rate = leading_number(line.rate_text);
    const auto printed = summary_line(summary, "Fuel", "", true);
    if (!printed) return;
    line.priced_unit = printed->priced_unit;
    line.cost_per_hour = printed->cost_per_hour;
}

}  // namespace

std::vector<UtilityLine> utility_lines(const Project& after, std::string_view summary)
{
    std::vector<UtilityLine> lines;
    if (auto electricity = electricity_line(summary)) lines.push_back(std::move(*electricity));
    for (const CostRow& row : after.cost_rows) {
        if (row.cost_slot == tovex::layout::total_cost_slot || row.value.empty()) continue;
        UtilityLine& line = lines.emplace_back();
        line.name = row.name;
        std::tie(line.rate_text, line.rate_units) = amount_and_units(row.value);
        if (const Entry* entry = after.entries.find(row.name))
            price_from_entry(after, *entry, summary, line);
        else if (row.name == "Fuel")
            price_as_fuel(summary, line);
        else
            line.rate = leading_number(line.rate_text);
    }
    return lines;
}

Totals totals(const Project& after)
{
    Totals totals;
    for (const CostRow& row : after.cost_rows)
        if (row.cost_slot == tovex::layout::total_cost_slot && !row.value.empty())
            totals.per_period = leading_number(row.value);
    if (const Database* inv = after.databases.find("INV")) {
        if (const SlotTable* parameters = inv->find("Investment Analysis Parameters")) {
            totals.hours_assumed = false;
            totals.hours = number_in(*parameters, "Operating Hours per Period").value_or(0.0);
        }
    }
    if (const Database* std_db = after.databases.find("STD"))
        if (const SlotTable* basis = std_db->find("Standard Basis Input File"))
            totals.currency = text_in(*basis, "Currency Symbol");
    return totals;
}

void add_all_utilities(Totals& totals, const std::vector<UtilityLine>& utilities)
{
    for (const UtilityLine& line : utilities) {
        if (!line.cost_per_hour) continue;
        totals.all_per_hour = totals.all_per_hour.value_or(0.0) + *line.cost_per_hour;
    }
    if (totals.all_per_hour) totals.all_per_period = *totals.all_per_hour * totals.hours;
}

}  // namespace qxhost::run_results
