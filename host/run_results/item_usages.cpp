#include "run_results/detailed_lines.h"
#include "run_results/run_results.h"
#include "run_results/usage_record.h"

namespace qxhost::run_results {

namespace {

namespace layout = tovex::layout;

// A value slot names a utility; the other slots of a record are its
// description, the last line's cost, and one stream per utility.
bool names_utility(const SlotTable& record, std::string_view slot)
{
    if (is_fixed_slot(slot)) return false;
    if (!slot.ends_with(layout::stream_slot_suffix)) return true;
    return !record.contains(slot.substr(0, slot.size() - layout::stream_slot_suffix.size()));
}

// The record names in the registry's order; without a registry, every
// object of the database.
std::vector<std::string_view> record_names(const Database& results)
{
    std::vector<std::string_view> names;
    if (const SlotTable* registry = results.find(layout::usage_registry)) {
        for (const auto& [name, value] : *registry) names.push_back(name.view());
    } else {
        for (const auto& [name, table] : results) names.push_back(name.view());
    }
    return names;
}

// An electricity record has one line, whose cost the run keeps on it: the
// line itself names the item's model, not the item.
std::optional<double> electricity_cost(const SlotTable& record, std::string_view utility)
{
    const Value* name = record.find(layout::utility_name_slot);
    const Value* cost = record.find(layout::cost_per_hour_slot);
    if (name == nullptr || cost == nullptr || name->kind != Value::Kind::text || name->text != utility ||
        cost->kind != Value::Kind::number)
        return std::nullopt;
    return cost->number;
}

}  // namespace

std::vector<ItemUsage> item_usages(const Project& after, std::string_view detailed)
{
    std::vector<ItemUsage> usages;
    const Database* results = after.databases.find(layout::results_database);
    if (results == nullptr) return usages;
    DetailedLines lines(detailed);
    std::string stream_slot;
    for (std::string_view record_name : record_names(*results)) {
        const SlotTable* record = results->find(record_name);
        if (record == nullptr || record_name == layout::usage_registry) continue;
        const Value* description = record->find(layout::description_slot);
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
            stream_slot.assign(utility).append(layout::stream_slot_suffix);
            if (const Value* stream = record->find(stream_slot)) usage.stream = value_as_text(*stream);
            if (detailed.empty() || !usage.amount) continue;
            if (record_name.starts_with(layout::electricity_record_prefix))
                usage.cost_per_hour = electricity_cost(*record, utility);
            else
                usage.cost_per_hour = lines.take(utility, usage.item, *usage.amount);
        }
    }
    return usages;
}

}  // namespace qxhost::run_results

namespace qxhost::run_results {

RunResults run_results(const Project& after, std::string_view summary, std::optional<std::string_view> detailed)
{
    RunResults results{utility_lines(after, summary), totals(after), {}, unitkit_warnings()};
    add_all_utilities(results.totals, results.utilities);
    if (detailed) results.items = item_usages(after, *detailed);
    return results;
}

}  // namespace qxhost::run_results
