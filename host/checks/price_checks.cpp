// The entries', the prices', the hours' and the electrical loads'
// findings: a utility the run prices at 0, a price it reads in other units
// than written, hours it assumes, and an item whose electricity the
// detailed report leaves out.
#include <cctype>
#include <cstdio>
#include <unordered_map>

#include "rules.h"

namespace qxhost::checks {

namespace {

constexpr std::string_view unit_costs_db = "OP";
constexpr std::string_view unit_costs_object = "Operating Unit Costs";

const SlotTable* database_object(const Project& project, std::string_view database, std::string_view object)
{
    const Database* found = project.databases.find(database);
    return found == nullptr ? nullptr : found->find(object);
}

std::string place(std::string_view database, std::string_view object)
{
    return std::string(database) + " / " + std::string(object);
}

// The Fuel price as the run finds it: the last slot of the operating unit
// costs named "Fuel" in any letter case.
const Value* fuel_price(const Project& project)
{
    const SlotTable* costs = database_object(project, unit_costs_db, unit_costs_object);
    if (costs == nullptr) return nullptr;
    const Value* found = nullptr;
    for (const auto& [name, value] : *costs)
        if (name.size() == 4 && starts_with_ignoring_case(name.view(), "Fuel")) found = &value;
    return found;
}

const Value* electricity_price(const Project& project)
{
    const SlotTable* costs = database_object(project, unit_costs_db, unit_costs_object);
    return costs == nullptr ? nullptr : costs->find("Electricity");
}

// The quantity a price is quoted per: what follows the '/' of its units.
std::string quantity_of(std::string_view units)
{
    const std::size_t slash = units.find('/');
    return slash == std::string_view::npos ? std::string() : normal_units(units.substr(slash + 1));
}

// How many times too much the run charges when it takes a price written per
// `written` as one per `priced`: 1000 for $/MWH taken per KWH.
std::optional<double> factor_of(const Value* price, std::string_view priced)
{
    if (price == nullptr) return std::nullopt;
    const auto number = value_as_number(*price);
    if (!number || number->second.empty()) return std::nullopt;
    const std::string written = quantity_of(number->second);
    if (written.empty() || written == priced) return std::nullopt;
    const auto share = units_converted(priced, written, 1.0);
    if (!share || *share == 0.0) return std::nullopt;
    return 1.0 / *share;
}

std::string fuel_priced_per(const Project& project) { return project.unit_system == 1 ? "MWH" : "MMBTU"; }

std::string times(double factor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g times", factor);
    return text;
}

}  // namespace

std::optional<double> electricity_price_factor(const Project& project)
{
    return factor_of(electricity_price(project), "KWH");
}

std::optional<double> fuel_price_factor(const Project& project)
{
    return factor_of(fuel_price(project), fuel_priced_per(project));
}

void check_entries(const Project& project, const UsedUtilities& used, Collector& findings)
{
    for (const auto& [key, entry] : project.entries) {
        const std::string name = key.str();
        if (!used.names.contains(name)) continue;
        if (!entry.valid) {
            findings.add(Severity::error, "entry-not-valid", name, "",
                         "the entry reports not valid, so the run reads none of its slots: its streams are rated 0 "
                         "and cost nothing",
                         "leave out \"valid\": false");
            continue;
        }
        const Value* cost_units = inherited(entry.slots, entry.defaults, "Unit Cost Units");
        const bool own_route = !(starts_with_ignoring_case(name, "Fuel") ||
                                 starts_with_ignoring_case(name, "Instrument Air") ||
                                 starts_with_ignoring_case(name, "Potable Water"));
        if (cost_units == nullptr && own_route) {
            findings.add(Severity::error, "entry-no-cost-units", name, "Unit Cost Units",
                         "no \"Unit Cost Units\": the run's rate units are \"/H\", which name no quantity, so every "
                         "stream of it is rated 0",
                         "give the price's units, e.g. \"$/KLB\"");
        } else if (cost_units != nullptr && own_route) {
            const std::string text = value_as_text(*cost_units);
            const std::string rate_units = rate_units_of(text);
            if (rate_units.empty() || basis_of(rate_units) == 0) {
                const std::string quantity = rate_units.empty() ? std::string() : rate_units.substr(0, rate_units.size() - 2);
                std::string near;
                for (const char* like : {"LB", "CF", "BTU"})
                    if (near.empty() && !quantity.empty()) near = nearest_units(quantity, like);
                findings.add(Severity::error, "cost-units-no-basis", name, "Unit Cost Units",
                             "the run finds no mass, volume or duty in \"" + text +
                                 "\", so every stream of this utility is rated 0",
                             near.empty() ? std::string("give a currency per a quantity, e.g. \"$/KLB\"")
                                          : "did you mean \"" + text.substr(0, text.find('/') + 1) + near + "\"?");
            }
        }
        const Value* cost = inherited(entry.slots, entry.defaults, "Unit Cost");
        const auto number = cost ? value_as_number(*cost) : std::nullopt;
        if (!number) {
            findings.add(Severity::error, "entry-no-unit-cost", name, "Unit Cost",
                         "no \"Unit Cost\": its cost per hour is 0.00 and it adds nothing to the total",
                         "give the price, e.g. {\"value\": 0.12, \"units\": \"$/KLB\"}");
            continue;
        }
        if (number->first == 0.0) {
            findings.add(Severity::note, "entry-free", name, "Unit Cost",
                         "priced at 0: its streams are rated, and cost nothing");
            continue;
        }
        if (cost_units == nullptr || number->second.empty()) continue;
        const std::string written = quantity_of(number->second);
        const std::string priced = quantity_of(value_as_text(*cost_units));
        if (!written.empty() && !priced.empty() && written != priced) {
            findings.add(Severity::error, "unit-cost-units-differ", name, "Unit Cost",
                         "\"Unit Cost\" is per " + written + ", but the run rates and prices per " + priced +
                             " (\"Unit Cost Units\") and reads only the number",
                         "give both in the same units");
        }
    }
}

void check_prices(const Project& project, const RunKind& kind, const UsedUtilities& used, Collector& findings)
{
    const std::string costs = place(unit_costs_db, unit_costs_object);
    const bool loads = project.has_electrical_loads || project.electrical_load_file.has_value();
    if (loads && kind.call != RunKind::Call::pass) {
        const Value* price = electricity_price(project);
        const auto number = price ? value_as_number(*price) : std::nullopt;
        if (!number || number->first == 0.0) {
            findings.add(Severity::error, "electricity-price-missing", costs, "Electricity",
                         "no electricity price: Electricity costs 0.00 an hour, and the detailed report has no "
                         "electricity lines",
                         "give the price per KWH, e.g. {\"value\": 0.07, \"units\": \"$/KWH\"}");
        } else if (const auto factor = electricity_price_factor(project)) {
            findings.add(Severity::error, "electricity-price-units", costs, "Electricity",
                         "the price is per " + quantity_of(number->second) +
                             ", but the run reads the number as a price per KWH: Electricity costs " + times(*factor) +
                             " what it should",
                         "give the price per KWH");
        }
    }
    if (used.fuel && kind.call == RunKind::Call::full) {
        const Value* price = fuel_price(project);
        const auto number = price ? value_as_number(*price) : std::nullopt;
        if (!number || number->first == 0.0) {
            findings.add(Severity::error, "fuel-price-missing", costs, "Fuel",
                         "no fuel price: the summary has no Fuel line, and the fuel the plant burns costs nothing",
                         "give the price, e.g. {\"value\": 4.5, \"units\": \"$/MMBTU\"}");
        } else if (const auto factor = fuel_price_factor(project)) {
            findings.add(Severity::error, "fuel-price-units", costs, "Fuel",
                         "the price is per " + quantity_of(number->second) + ", but the run rates fuel in " +
                             fuel_priced_per(project) + " and reads only the number: Fuel costs " + times(*factor) +
                             " what it should",
                         "give the price per " + fuel_priced_per(project));
        }
    }
    if (kind.call == RunKind::Call::pass) return;
    const SlotTable* investment = database_object(project, "INV", "Investment Analysis Parameters");
    if (investment == nullptr) {
        findings.add(Severity::warning, "hours-assumed", place("INV", "Investment Analysis Parameters"), "",
                     "no investment analysis parameters: the run takes 8000 operating hours per period");
    } else {
        const Value* hours = investment->find("Operating Hours per Period");
        if (hours == nullptr || !value_as_number(*hours)) {
            findings.add(Severity::error, "hours-missing", place("INV", "Investment Analysis Parameters"),
                         "Operating Hours per Period",
                         "no operating hours: the run takes 0 hours, so the total per period is 0",
                         "give the hours, e.g. 8000");
        }
    }
    if (database_object(project, "UTILITY", "Process Utilities Information") == nullptr) {
        findings.add(Severity::warning, "total-not-kept", place("UTILITY", "Process Utilities Information"), "",
                     "no process utilities information: the total per period is posted, but not kept in the project");
    }
    bool total_row = false;
    for (const CostRow& row : project.cost_rows) total_row = total_row || row.name == "Total Process Utility Cost Per Period";
    if (!total_row) {
        findings.add(Severity::error, "cost-row-missing", "cost_rows", "",
                     "the caller's lists have no row \"Total Process Utility Cost Per Period\", so the total is "
                     "posted nowhere",
                     "add that row, or leave \"cost_rows\" out to have one made");
    }
}

void check_electrical_loads(const Project& project, const RunKind& kind, Collector& findings)
{
    if (kind.call != RunKind::Call::full || !project.has_electrical_loads || project.electrical_load_file) return;
    // Looked up by reference id as the host looks objects up: in the
    // reader's index, or in one made here for a project changed since.
    std::unordered_map<std::uint32_t, const Object*> by_ref_id;
    const bool indexed = project.index.built_for(project.objects, project.connections);
    if (!indexed) {
        for (const Object& object : project.objects)
            if (object.ref_id) by_ref_id.try_emplace(*object.ref_id, &object);
    }
    const auto object_of = [&](std::uint32_t ref_id) -> const Object* {
        if (!indexed) {
            const auto found = by_ref_id.find(ref_id);
            return found == by_ref_id.end() ? nullptr : found->second;
        }
        return project.object_with_ref_id(ref_id);
    };
    const Value* price = electricity_price(project);
    const auto per_kwh = price ? value_as_number(*price) : std::nullopt;
    for (const ElectricalLoad& load : project.electrical_loads) {
        if (load.kw == 0.0) continue;
        const std::string ref = "electrical_loads / " + std::to_string(load.ref_id);
        const Object* item = object_of(load.ref_id);
        Finding* finding = nullptr;
        if (item == nullptr) {
            finding = &findings.add(Severity::error, "load-item-unknown", ref, "",
                                    "no object has reference id " + std::to_string(load.ref_id) +
                                        ": the summary counts its load, the detailed report and the items do not",
                                    "give the item its \"ref_id\"");
        } else if (item->class_id != 1705) {
            finding = &findings.add(Severity::error, "load-item-unknown", item->name, "",
                                    "reference id " + std::to_string(load.ref_id) + " is an object of class " +
                                        std::to_string(item->class_id) +
                                        ", not an equipment item (1705): the summary counts its load, the detailed "
                                        "report and the items do not");
        } else if (item->area.empty()) {
            finding = &findings.add(Severity::error, "load-item-no-area", item->name, "area",
                                    "an electrical load on an item in no area: the summary counts it, the detailed "
                                    "report, the items and the page leave its electricity out",
                                    "give the item its \"area\"");
        }
        if (finding == nullptr) continue;
        finding->amount = load.kw;
        finding->amount_units = "KW";
        if (per_kwh && !electricity_price_factor(project)) finding->cost_per_hour = load.kw * per_kwh->first;
    }
}

}  // namespace qxhost::checks
