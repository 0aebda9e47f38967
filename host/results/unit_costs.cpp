#include "results/unit_costs.h"

#include <cctype>

#include "host/textkit.h"
#include "results/results.h"

namespace qxhost::results {

namespace {

const SlotTable* operating_unit_costs(const Project& project)
{
    const Database* op = project.databases.find("OP");
    return op != nullptr ? op->find("Operating Unit Costs") : nullptr;
}

}  // namespace

bool is_fuel(std::string_view utility)
{
    constexpr std::string_view fuel = "fuel";
    if (utility.size() != fuel.size()) return false;
    for (std::size_t i = 0; i < fuel.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(utility[i])) != fuel[i]) return false;
    return true;
}

std::optional<double> leading_number(std::string_view text)
{
    double number = 0.0;
    if (convert_todouble(text, &number) == 0) return std::nullopt;
    return number;
}

const Value* inherited(const SlotTable& slots, const SlotTable& defaults, std::string_view slot)
{
    const Value* value = slots.find(slot);
    return value != nullptr ? value : defaults.find(slot);
}

std::optional<FuelUnitCost> fuel_unit_cost(const Project& project)
{
    const SlotTable* costs = operating_unit_costs(project);
    if (costs == nullptr) return std::nullopt;
    std::optional<FuelUnitCost> found;
    for (const auto& [name, value] : *costs) {
        if (!is_fuel(name.view())) continue;
        FuelUnitCost& fuel = found.emplace();
        if (value.kind == Value::Kind::number) {
            fuel.unit_cost = value.number;
            fuel.units = value.units.str();
        } else if (value.kind == Value::Kind::list && !value.items.empty()) {
            fuel.unit_cost = leading_number(value.items[0]).value_or(0.0);
            if (value.items.size() > 1) fuel.units = value.items[1];
        }
    }
    return found;
}

double entry_unit_cost(const Entry& entry)
{
    const Value* cost = inherited(entry.slots, entry.defaults, "Unit Cost");
    const auto number = cost != nullptr ? value_as_number(*cost) : std::nullopt;
    return number ? number->first : 0.0;
}

double electricity_price(const Project& project)
{
    const SlotTable* costs = operating_unit_costs(project);
    const Value* price = costs != nullptr ? costs->find("Electricity") : nullptr;
    if (price == nullptr) return 0.0;
    const std::string text = value_as_text(*price);
    return leading_number(std::string_view(text).substr(0, text.find('\n'))).value_or(0.0);
}

std::string priced_unit(std::string_view unit_cost_units)
{
    if (unit_cost_units.empty()) return {};
    // The text after the first '/' before the last character; without one,
    // the last character alone.
    const std::size_t slash = unit_cost_units.substr(0, unit_cost_units.size() - 1).find('/');
    const std::string_view rest = slash == std::string_view::npos ? unit_cost_units.substr(unit_cost_units.size() - 1)
                                                                  : unit_cost_units.substr(slash + 1);
    return std::string(text_trimmed(rest));
}

}  // namespace qxhost::results
