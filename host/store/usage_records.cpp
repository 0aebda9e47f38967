#include "store/usage_records.h"

#include <string>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include <SQLiteCpp/Statement.h>

#include "store/revision_tables.h"

namespace qxhost::store {

namespace {

constexpr std::string_view results_database = "UTILRES0";
constexpr std::string_view registry_name = "UTIL_USAGE_LIST_OF_OBJECTS";
constexpr std::string_view cost_per_hour_slot = "COST PER HOUR";
constexpr std::string_view utility_name_slot = "UTILITY NAME";
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

bool is_fuel(std::string_view utility)
{
    constexpr std::string_view fuel = "fuel";
    if (utility.size() != fuel.size()) return false;
    for (std::size_t i = 0; i < fuel.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(utility[i])) != fuel[i]) return false;
    return true;
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
                if (!entry.valid) continue;
                const Value* cost = entry.slots.find(unit_cost_slot);
                if (cost == nullptr) cost = entry.defaults.find(unit_cost_slot);
                const auto number = cost != nullptr ? value_as_number(*cost) : std::nullopt;
                unit_costs_.emplace(name.view(), number ? number->first : 0.0);
            }
        }
        read_fuel_unit_cost(project);
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
    static constexpr std::string_view unit_cost_slot = "Unit Cost";

    std::optional<double> unit_cost_of(std::string_view utility) const
    {
        const auto found = unit_costs_.find(utility);
        if (found == unit_costs_.end()) return std::nullopt;
        return found->second;
    }

    // The last slot named Fuel (in any case) of the operating unit costs: a
    // number, or a list whose first item is the number.
    void read_fuel_unit_cost(const Project& project)
    {
        const Database* op = project.databases.find("OP");
        const SlotTable* costs = op != nullptr ? op->find("Operating Unit Costs") : nullptr;
        if (costs == nullptr) return;
        for (const auto& [name, value] : *costs) {
            if (!is_fuel(name.view())) continue;
            if (value.kind == Value::Kind::number)
                fuel_unit_cost_ = value.number;
            else if (value.kind == Value::Kind::list && !value.items.empty())
                fuel_unit_cost_ = std::atof(value.items[0].c_str());
            else
                fuel_unit_cost_ = 0.0;  // read, but neither a number nor a list
        }
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

// JSON for the run_item view: texts escaped as JSON requires (other bytes
// are kept as they are, as SQLite's JSON functions do), numbers in
// shortest form, null for none.
class ItemsJson {
public:
    void begin_item() { text_ += text_.size() == 1 ? "[" : ",["; first_ = true; }
    void end_item() { text_ += ']'; }
    void text(std::string_view value)
    {
        separate();
        text_ += '"';
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && c != '"' && c != '\\') {
                text_ += c;
            } else if (byte >= 0x20) {
                text_ += '\\';
                text_ += c;
            } else {
                constexpr char hex[] = "0123456789abcdef";
                text_ += "\\u00";
                text_ += hex[byte >> 4];
                text_ += hex[byte & 0xF];
            }
        }
        text_ += '"';
    }
    void number(double value)
    {
        separate();
        // Not a number and the infinities have no JSON form.
        text_ += value - value == 0 ? shortest_number_text(value) : "null";
    }
    void null()
    {
        separate();
        text_ += "null";
    }
    std::string finished() { return std::move(text_) + "]"; }

private:
    void separate()
    {
        if (!first_) text_ += ',';
        first_ = false;
    }
    std::string text_ = "[";
    bool first_ = true;
};

}  // namespace

void write_run_items(SQLite::Database& db, long run, const Project& after)
{
    const Database* results = after.databases.find(results_database);
    if (results == nullptr) return;
    const LineCosts line_costs(after);

    ItemsJson items;
    std::string stream_slot;
    for (std::string_view record_name : record_names(*results)) {
        const SlotTable* record = results->find(record_name);
        if (record == nullptr || record_name == registry_name) continue;
        const Value* description = record->find(description_slot);
        const std::string description_text = description != nullptr ? value_as_text(*description) : std::string();
        for (const auto& [name, value] : *record) {
            const std::string_view utility = name.view();
            if (!names_utility(*record, utility)) continue;
            items.begin_item();
            items.text(item_of(record_name));
            items.text(description_text);
            items.text(utility);
            const auto amount = value_as_number(value);
            if (amount) items.number(amount->first);
            else items.null();
            items.text(amount ? amount->second : std::string());
            stream_slot.assign(utility).append(stream_suffix);
            if (const Value* stream = record->find(stream_slot)) items.text(value_as_text(*stream));
            else items.null();
            if (const auto cost = line_costs.cost(*record, utility, amount ? std::optional(amount->first) : std::nullopt))
                items.number(*cost);
            else
                items.null();
            items.end_item();
        }
    }
    const std::string text = items.finished();
    SQLite::Statement add(db, "INSERT INTO run_items VALUES (?, ?)");
    add.bind(1, static_cast<std::int64_t>(run));
    add.bindNoCopy(2, text);
    add.exec();
}

}  // namespace qxhost::store
