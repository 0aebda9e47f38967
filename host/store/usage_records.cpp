#include "store/usage_records.h"

#include <string>
#include <unordered_map>

#include <SQLiteCpp/Statement.h>

namespace qxhost::store {

namespace {

constexpr std::string_view registry_name = "UTIL_USAGE_LIST_OF_OBJECTS";
constexpr std::string_view description_slot = "CpItemDescription";
constexpr std::string_view stream_suffix = "-STREAM";
// A record is named by one of two prefixes of this length, then the item.
constexpr std::string_view record_prefixes[] = {"$$UTILITYOBJECT##", "$$ELECTRCOBJECT##"};

std::string_view item_of(std::string_view record)
{
    for (std::string_view prefix : record_prefixes)
        if (record.starts_with(prefix)) return record.substr(prefix.size());
    return record;
}

// A value slot names a utility; the other slots of a record are its
// description, the last cost written, and one stream per utility.
bool names_utility(const SlotTable& record, std::string_view slot)
{
    if (slot == description_slot || slot == cost_per_hour_slot || slot == utility_name_slot) return false;
    if (!slot.ends_with(stream_suffix)) return true;
    return !record.contains(slot.substr(0, slot.size() - stream_suffix.size()));
}

std::string cost_key(std::string_view record, std::string_view utility)
{
    std::string key(record);
    key += '\0';
    key += utility;
    return key;
}

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

void write_run_items(SQLite::Database& db, long run, const Project& after, const std::vector<UsageCost>& costs)
{
    const Database* results = after.databases.find(results_database);
    if (results == nullptr) return;
    std::unordered_map<std::string, double> cost_of;
    for (const UsageCost& cost : costs) cost_of[cost_key(cost.record, cost.utility)] = cost.cost_per_hour;

    SQLite::Statement add(db, "INSERT INTO run_item VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::int64_t position = 0;
    for (std::string_view record_name : record_names(*results)) {
        const SlotTable* record = results->find(record_name);
        if (record == nullptr || record_name == registry_name) continue;
        const Value* description = record->find(description_slot);
        for (const auto& [name, value] : *record) {
            const std::string_view utility = name.view();
            if (!names_utility(*record, utility)) continue;
            add.bind(1, static_cast<std::int64_t>(run));
            add.bind(2, position++);
            add.bind(3, std::string(item_of(record_name)));
            add.bind(4, description != nullptr ? value_as_text(*description) : std::string());
            add.bind(5, std::string(utility));
            const auto amount = value_as_number(value);
            if (amount && amount->first == amount->first) add.bind(6, amount->first);
            add.bind(7, amount ? amount->second : std::string());
            if (const Value* stream = record->find(std::string(utility) + std::string(stream_suffix)))
                add.bind(8, value_as_text(*stream));
            const auto cost = cost_of.find(cost_key(record_name, utility));
            if (cost != cost_of.end() && cost->second == cost->second) add.bind(9, cost->second);
            add.exec();
            add.reset();
            add.clearBindings();
        }
    }
}

}  // namespace qxhost::store
