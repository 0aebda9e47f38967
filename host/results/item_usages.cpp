#include <optional>
#include <unordered_map>

#include "results/results.h"
#include "results/unit_costs.h"
#include "results/usage_record_names.h"

namespace qxhost::results {

namespace {

// A value slot names a utility; the other slots of a record are its
// description, the last cost written, and one stream per utility.
bool names_utility(const SlotTable& record, std::string_view slot)
{
    if (is_fixed_slot(slot)) return false;
    if (!slot.ends_with(stream_suffix)) return true;
    return !record.contains(slot.substr(0, slot.size() - stream_suffix.size()));
}

// What a line of the detailed report costs per hour: the item's amount
// times its utility's unit cost, with no line when either is 0. A usage
// record keeps the cost of its last line in its own slots; the unit costs,
// read as the report reads them, give the others.
class LineCosts {
public:
    explicit LineCosts(const Project& project)
    {
        if (project.has_utility_streams && project.utility_streams_valid) {
            for (const auto& [name, entry] : project.entries) {
                if (entry.valid) unit_costs_.emplace(name.view(), entry_unit_cost(entry));
            }
        }
        if (const auto fuel = fuel_unit_cost(project)) fuel_unit_cost_ = fuel->unit_cost;
    }

    std::optional<double> cost(const SlotTable& record, std::string_view utility, std::optional<double> amount) const
    {
        const Value* last_utility = record.find(utility_name_slot);
        const Value* last_cost = record.find(cost_per_hour_slot);
        if (last_utility != nullptr && last_cost != nullptr && last_utility->kind == Value::Kind::text &&
            last_utility->text == utility && last_cost->kind == Value::Kind::number)
            return last_cost->number;
        if (!amount || *amount == 0) return std::nullopt;
        const std::optional<double> unit_cost = is_fuel(utility) ? fuel_unit_cost_ : unit_cost_of(utility);
        if (!unit_cost || *unit_cost == 0) return std::nullopt;
        return *amount * *unit_cost;
    }

private:
    std::optional<double> unit_cost_of(std::string_view utility) const
    {
        const auto found = unit_costs_.find(utility);
        if (found == unit_costs_.end()) return std::nullopt;
        return found->second;
    }

    std::unordered_map<std::string_view, double> unit_costs_;
    std::optional<double> fuel_unit_cost_;
};

// The record names in the registry's order; without a registry, every
// object of the database.
std::vector<std::string_view> record_names(const Database& results)
{
    std::vector<std::string_view> names;
    if (const SlotTable* registry = results.find(registry_name)) {
        for (const auto& [name, value] : *registry) names.push_back(name.view());
    } else {
        for (const auto& [name, table] : results) names.push_back(name.view());
    }
    return names;
}

}  // namespace

std::vector<ItemUsage> item_usages(const Project& after)
{
    std::vector<ItemUsage> usages;
    const Database* results = after.databases.find(results_database);
    if (results == nullptr) return usages;
    const LineCosts line_costs(after);
    std::string stream_slot;
    for (std::string_view record_name : record_names(*results)) {
        const SlotTable* record = results->find(record_name);
        if (record == nullptr || record_name == registry_name) continue;
        const Value* description = record->find(description_slot);
        const std::string description_text = description != nullptr ? value_as_text(*description) : std::string();
        for (const auto& [name, value] : *record) {
            const std::string_view utility = name.view();
            if (!names_utility(*record, utility)) continue;
            ItemUsage& usage = usages.emplace_back();
            usage.item = item_of(record_name);
            usage.description = description_text;
            usage.utility = utility;
            if (auto amount = value_as_number(value)) {
                usage.amount = amount->first;
                usage.amount_units = std::move(amount->second);
            }
            stream_slot.assign(utility).append(stream_suffix);
            if (const Value* stream = record->find(stream_slot)) usage.stream = value_as_text(*stream);
            usage.cost_per_hour = line_costs.cost(*record, utility, usage.amount);
        }
    }
    return usages;
}

}  // namespace qxhost::results
