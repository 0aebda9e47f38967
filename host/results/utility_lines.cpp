#include <cstdio>
#include <string>
#include <tuple>

#include "host/textkit.h"
#include "results/results.h"
#include "results/unit_costs.h"

namespace qxhost::results {

namespace {

constexpr std::string_view total_cost_slot = "Total Process Utility Cost Per Period";

// The project's total load in kW: the leading number of the second piece of
// the first line that holds "Project Total:"; 0 without one.
double total_load(std::string_view load_file)
{
    while (!load_file.empty()) {
        const std::size_t end = load_file.find('\n');
        const std::string_view line = load_file.substr(0, end);
        load_file = end == std::string_view::npos ? std::string_view() : load_file.substr(end + 1);
        if (line.find("Project Total:") == std::string_view::npos) continue;
        const std::size_t colon = line.find(':');
        const std::string_view second = line.substr(colon + 1);
        return leading_number(second.substr(0, second.find(':'))).value_or(0.0);
    }
    return 0.0;
}

// A posted value is the amount, a line feed and the units.
std::pair<std::string, std::string> amount_and_units(std::string_view value)
{
    const std::size_t feed = value.find('\n');
    const std::string_view amount = value.substr(0, feed);
    const std::string_view units = feed == std::string_view::npos ? std::string_view() : value.substr(feed + 1);
    return {std::string(text_trimmed(amount)), std::string(text_trimmed(units.substr(0, units.find('\n'))))};
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

UtilityLine electricity_line(const Project& after, double load)
{
    UtilityLine line;
    line.name = "Electricity";
    line.rate = load;
    char text[64];
    std::snprintf(text, sizeof text, "%f", load);
    line.rate_text = text;
    line.rate_units = "KW";
    line.priced_unit = "KW";
    line.cost_per_hour = electricity_price(after) * load;
    return line;
}

void price_from_entry(const Project& after, const Entry& entry, UtilityLine& line)
{
    line.fluid = text_in(entry.slots, "Fluid");
    line.rate = number_in(entry.slots, "Rate per Hour", &line.rate_units);
    line.cost_per_hour = number_in(entry.slots, "Cost per Hour");
    line.priced_unit = priced_unit(text_in(entry.slots, "Unit Cost Units"));
    line.in_total = after.has_utility_streams && after.utility_streams_valid && entry.valid;
}

// Fuel is priced by the operating unit costs: amount times unit cost, with
// no cost when either is 0, as the summary's Fuel line.
void price_as_fuel(const Project& after, UtilityLine& line)
{
    const auto fuel = fuel_unit_cost(after);
    line.rate = leading_number(line.rate_text);
    if (!fuel) return;
    line.priced_unit = priced_unit(fuel->units);
    if (line.rate && *line.rate != 0 && fuel->unit_cost != 0) line.cost_per_hour = *line.rate * fuel->unit_cost;
}

}  // namespace

std::vector<UtilityLine> utility_lines(const Project& after, std::string_view load_file)
{
    std::vector<UtilityLine> lines;
    if (const double load = total_load(load_file); load > 0) lines.push_back(electricity_line(after, load));
    for (const CostRow& row : after.cost_rows) {
        if (row.cost_slot == total_cost_slot || row.value.empty()) continue;
        UtilityLine& line = lines.emplace_back();
        line.name = row.name;
        std::tie(line.rate_text, line.rate_units) = amount_and_units(row.value);
        if (const Entry* entry = after.entries.find(row.name))
            price_from_entry(after, *entry, line);
        else if (row.name == "Fuel")
            price_as_fuel(after, line);
        else
            line.rate = leading_number(line.rate_text);
    }
    return lines;
}

Totals totals(const Project& after)
{
    Totals totals;
    for (const CostRow& row : after.cost_rows)
        if (row.cost_slot == total_cost_slot && !row.value.empty()) totals.per_period = leading_number(row.value);
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

}  // namespace qxhost::results
