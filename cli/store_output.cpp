#include "store_output.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "text_table.h"

namespace tovex_cli {

namespace {

using qxhost::store::NumberPair;
using qxhost::store::RunDiff;
using qxhost::store::RunSummary;

std::string call_of(const RunSummary& run) { return call_text(run.call, run.class_id, run.record); }

// Rates and amounts to three decimals, costs to the cent; a change carries
// its sign, and is there only where both runs have the number in the same
// units.
std::string quantity(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

std::string shown(const std::optional<double>& value, std::string (*format)(double))
{
    return value ? format(*value) : "-";
}

std::optional<double> change(const NumberPair& pair, bool same_units = true)
{
    if (!pair.a || !pair.b || !same_units) return std::nullopt;
    return *pair.b - *pair.a;
}

std::string shown_change(const std::optional<double>& delta, std::string (*format)(double))
{
    if (!delta) return "-";
    const std::string text = format(*delta);
    return text.starts_with('-') ? text : "+" + text;
}

std::string units_shown(const std::string& a, const std::string& b, bool in_a, bool in_b)
{
    if (!in_a) return b;
    if (!in_b || a == b) return a;
    return a + " -> " + b;
}

std::string heading(const RunDiff& diff)
{
    const auto run = [](const RunSummary& r) {
        return "run " + std::to_string(r.run) + " (" + r.started_utc + ", " + call_of(r) + ", revision " +
               std::to_string(r.revision) + ")";
    };
    return "From " + run(diff.a) + " to " + run(diff.b) + "\n";
}

std::string utilities_text(const RunDiff& diff)
{
    if (diff.utilities.empty()) return "No utility's rate or cost changed.\n";
    const std::string a = std::to_string(diff.a.run);
    const std::string b = std::to_string(diff.b.run);
    std::vector<TableRow> rows{{"Utility", "Rate " + a, "Rate " + b, "Change", "Rate units", "Cost/h " + a,
                                "Cost/h " + b, "Change", "Cost units"}};
    for (const auto& u : diff.utilities) {
        rows.push_back({u.utility, shown(u.rate.a, quantity), shown(u.rate.b, quantity),
                        shown_change(change(u.rate, u.rate_units_a == u.rate_units_b), quantity),
                        units_shown(u.rate_units_a, u.rate_units_b, u.in_a, u.in_b), shown(u.cost_per_hour.a, money),
                        shown(u.cost_per_hour.b, money),
                        shown_change(change(u.cost_per_hour, u.cost_units_a == u.cost_units_b), money),
                        units_shown(u.cost_units_a, u.cost_units_b, u.in_a, u.in_b)});
    }
    return aligned(rows);
}

std::string total_text(const RunDiff& diff)
{
    return "Total process utility cost per period: " + shown(diff.total_per_period.a, money) + " -> " +
           shown(diff.total_per_period.b, money) + " (" + shown_change(change(diff.total_per_period), money) +
           ")\n";
}

std::string items_text(const RunDiff& diff)
{
    std::string text;
    for (const RunSummary* run : {&diff.a, &diff.b}) {
        if (!(run == &diff.a ? diff.items_a : diff.items_b))
            text += "Run " + std::to_string(run->run) + " kept no item usage (it wrote no usage records).\n";
    }
    if (diff.items.empty()) return text + "No item's usage or cost changed.\n";
    const std::string a = std::to_string(diff.a.run);
    const std::string b = std::to_string(diff.b.run);
    std::vector<TableRow> rows{{"Item", "Utility", "Amount " + a, "Amount " + b, "Change", "Units", "Cost/h " + a,
                                "Cost/h " + b, "Change"}};
    for (const auto& i : diff.items) {
        rows.push_back({i.item, i.utility, shown(i.amount.a, quantity), shown(i.amount.b, quantity),
                        shown_change(change(i.amount, i.units_a == i.units_b), quantity),
                        units_shown(i.units_a, i.units_b, i.in_a, i.in_b), shown(i.cost_per_hour.a, money),
                        shown(i.cost_per_hour.b, money), shown_change(change(i.cost_per_hour), money)});
    }
    return text + aligned(rows);
}

std::string inputs_text(const RunDiff& diff)
{
    if (diff.a.revision == diff.b.revision) return "";
    std::string text = "\nInputs that differ (revision " + std::to_string(diff.a.revision) + " -> revision " +
                       std::to_string(diff.b.revision) + "):\n";
    if (diff.inputs.empty()) return text + "  none\n";
    for (const auto& input : diff.inputs)
        text += "  " + input.place + ": " + input.a.value_or("(none)") + " -> " + input.b.value_or("(none)") + "\n";
    return text;
}

nlohmann::ordered_json number_json(const std::optional<double>& value)
{
    return value && *value == *value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json pair_json(const NumberPair& pair, bool same_units = true)
{
    return {{"from", number_json(pair.a)}, {"to", number_json(pair.b)}, {"change", number_json(change(pair, same_units))}};
}

nlohmann::ordered_json text_pair_json(const std::string& a, const std::string& b, bool in_a, bool in_b)
{
    return {{"from", in_a ? nlohmann::ordered_json(a) : nullptr}, {"to", in_b ? nlohmann::ordered_json(b) : nullptr}};
}

nlohmann::ordered_json run_json(const RunSummary& run)
{
    return {{"run", run.run}, {"revision", run.revision}, {"time", run.started_utc}, {"call", call_of(run)}};
}

}  // namespace

std::string call_text(const std::string& call, std::optional<int> class_id, std::optional<int> record)
{
    if (call != "pass") return call;
    std::string text = "pass " + std::to_string(class_id.value_or(0));
    if (record.value_or(0) != 0) text += " --record";
    return text;
}

std::string runs_text(const std::vector<RunSummary>& runs)
{
    std::string text;
    for (const auto& run : runs) {
        text += std::to_string(run.run) + "  " + run.started_utc + "  " + call_of(run) + "  result " +
                std::to_string(run.result) + "  total per period " + shown(run.total_per_period, money) + "\n";
    }
    return text;
}

std::string runs_json(const std::vector<RunSummary>& runs)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& run : runs) {
        nlohmann::ordered_json json = {{"run", run.run},       {"revision", run.revision},
                                       {"time", run.started_utc}, {"call", run.call},
                                       {"result", run.result}};
        if (run.class_id) json["class"] = *run.class_id;
        if (run.record) json["record"] = *run.record != 0;
        json["total_per_period"] = number_json(run.total_per_period);
        list.push_back(std::move(json));
    }
    return list.dump(2) + "\n";
}

std::string diff_text(const RunDiff& diff)
{
    return heading(diff) + "\n" + utilities_text(diff) + total_text(diff) + "\n" + items_text(diff) +
           inputs_text(diff);
}

std::string diff_json(const RunDiff& diff)
{
    nlohmann::ordered_json utilities = nlohmann::ordered_json::array();
    for (const auto& u : diff.utilities) {
        utilities.push_back({{"utility", u.utility},
                             {"rate", pair_json(u.rate, u.rate_units_a == u.rate_units_b)},
                             {"rate_units", text_pair_json(u.rate_units_a, u.rate_units_b, u.in_a, u.in_b)},
                             {"cost_per_hour", pair_json(u.cost_per_hour, u.cost_units_a == u.cost_units_b)},
                             {"cost_units", text_pair_json(u.cost_units_a, u.cost_units_b, u.in_a, u.in_b)}});
    }
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const auto& i : diff.items) {
        items.push_back({{"item", i.item},
                         {"utility", i.utility},
                         {"amount", pair_json(i.amount, i.units_a == i.units_b)},
                         {"units", text_pair_json(i.units_a, i.units_b, i.in_a, i.in_b)},
                         {"cost_per_hour", pair_json(i.cost_per_hour)}});
    }
    nlohmann::ordered_json inputs = nlohmann::ordered_json::array();
    for (const auto& input : diff.inputs) {
        inputs.push_back({{"place", input.place},
                          {"from", input.a ? nlohmann::ordered_json(*input.a) : nullptr},
                          {"to", input.b ? nlohmann::ordered_json(*input.b) : nullptr}});
    }
    const nlohmann::ordered_json document = {{"from", run_json(diff.a)},
                                             {"to", run_json(diff.b)},
                                             {"utilities", utilities},
                                             {"total_per_period", pair_json(diff.total_per_period)},
                                             {"items_kept", {{"from", diff.items_a}, {"to", diff.items_b}}},
                                             {"items", items},
                                             {"inputs", inputs}};
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace tovex_cli
