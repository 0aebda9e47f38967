#include "store_output.h"

#include <cstdio>

#include "store/store_json.h"
#include "text_table.h"

namespace tovex_cli {

namespace {

using qxhost::store::NumberPair;
using qxhost::store::RunDiff;
using qxhost::store::RunSummary;
using qxhost::store::change;

std::string call_of(const RunSummary& run) { return qxhost::store::call_text(run.call, run.class_id, run.record); }

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
                                "Cost/h " + b, "Change", "In total"}};
    for (const auto& u : diff.utilities) {
        rows.push_back({u.utility, shown(u.rate.a, quantity), shown(u.rate.b, quantity),
                        shown_change(change(u.rate, u.rate_units_a == u.rate_units_b), quantity),
                        units_shown(u.rate_units_a, u.rate_units_b, u.in_a, u.in_b), shown(u.cost_per_hour.a, money),
                        shown(u.cost_per_hour.b, money),
                        shown_change(change(u.cost_per_hour), money), u.in_total ? "yes" : "no"});
    }
    return aligned(rows);
}

std::string total_text(const RunDiff& diff)
{
    const auto line = [](const std::string& what, const NumberPair& pair) {
        return what + ": " + shown(pair.a, money) + " -> " + shown(pair.b, money) + " (" +
               shown_change(change(pair), money) + ")\n";
    };
    return line("Total process utility cost per period", diff.total_per_period) +
           line("All utilities, electricity and fuel included, per hour", diff.all_per_hour) +
           line("All utilities, electricity and fuel included, per period", diff.all_per_period);
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






}  // namespace


std::string runs_text(const std::vector<RunSummary>& runs)
{
    std::string text;
    for (const auto& run : runs) {
        text += std::to_string(run.run) + "  " + run.started_utc + "  " + call_of(run) + "  result " +
                std::to_string(run.result) + "  total per period " + shown(run.total_per_period, money) + "\n";
    }
    return text;
}


std::string diff_text(const RunDiff& diff)
{
    return heading(diff) + "\n" + utilities_text(diff) + total_text(diff) + "\n" + items_text(diff) +
           inputs_text(diff);
}


}  // namespace tovex_cli
