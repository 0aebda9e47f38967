#include "store_output.h"

#include <cstdio>

#include "json/json_writer.h"
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

// A number that is not finite has no JSON form; like an absent one, it is null.
void write_number(qxhost::JsonWriter& json, const std::optional<double>& value)
{
    if (value) json.floating(*value);
    else json.null();
}

void write_pair(qxhost::JsonWriter& json, const NumberPair& pair, bool same_units = true)
{
    json.begin_object();
    write_number(json.key("from"), pair.a);
    write_number(json.key("to"), pair.b);
    write_number(json.key("change"), change(pair, same_units));
    json.end();
}

void write_text_pair(qxhost::JsonWriter& json, const std::string& a, const std::string& b, bool in_a, bool in_b)
{
    json.begin_object();
    if (in_a) json.key("from").string(a);
    else json.key("from").null();
    if (in_b) json.key("to").string(b);
    else json.key("to").null();
    json.end();
}

void write_text(qxhost::JsonWriter& json, const std::optional<std::string>& text)
{
    if (text) json.string(*text);
    else json.null();
}

void write_run(qxhost::JsonWriter& json, const RunSummary& run)
{
    json.begin_object();
    json.key("run").integer(run.run);
    json.key("revision").integer(run.revision);
    json.key("time").string(run.started_utc);
    json.key("call").string(call_of(run));
    json.end();
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
    std::string text;
    qxhost::JsonWriter json(text, qxhost::JsonLayout::member_per_line);
    json.begin_array();
    for (const auto& run : runs) {
        json.begin_object();
        json.key("run").integer(run.run);
        json.key("revision").integer(run.revision);
        json.key("time").string(run.started_utc);
        json.key("call").string(run.call);
        json.key("result").integer(run.result);
        if (run.class_id) json.key("class").integer(*run.class_id);
        if (run.record) json.key("record").boolean(*run.record != 0);
        write_number(json.key("total_per_period"), run.total_per_period);
        json.end();
    }
    json.end();
    return text + "\n";
}

std::string diff_text(const RunDiff& diff)
{
    return heading(diff) + "\n" + utilities_text(diff) + total_text(diff) + "\n" + items_text(diff) +
           inputs_text(diff);
}

std::string diff_json(const RunDiff& diff)
{
    std::string text;
    qxhost::JsonWriter json(text, qxhost::JsonLayout::member_per_line);
    json.begin_object();
    write_run(json.key("from"), diff.a);
    write_run(json.key("to"), diff.b);
    json.key("utilities").begin_array();
    for (const auto& u : diff.utilities) {
        json.begin_object();
        json.key("utility").string(u.utility);
        write_pair(json.key("rate"), u.rate, u.rate_units_a == u.rate_units_b);
        write_text_pair(json.key("rate_units"), u.rate_units_a, u.rate_units_b, u.in_a, u.in_b);
        write_pair(json.key("cost_per_hour"), u.cost_per_hour);
        json.key("in_total").boolean(u.in_total);
        json.end();
    }
    json.end();
    write_pair(json.key("total_per_period"), diff.total_per_period);
    write_pair(json.key("all_per_hour"), diff.all_per_hour);
    write_pair(json.key("all_per_period"), diff.all_per_period);
    json.key("items_kept").begin_object();
    json.key("from").boolean(diff.items_a);
    json.key("to").boolean(diff.items_b);
    json.end();
    json.key("items").begin_array();
    for (const auto& i : diff.items) {
        json.begin_object();
        json.key("item").string(i.item);
        json.key("utility").string(i.utility);
        write_pair(json.key("amount"), i.amount, i.units_a == i.units_b);
        write_text_pair(json.key("units"), i.units_a, i.units_b, i.in_a, i.in_b);
        write_pair(json.key("cost_per_hour"), i.cost_per_hour);
        json.end();
    }
    json.end();
    json.key("inputs").begin_array();
    for (const auto& input : diff.inputs) {
        json.begin_object();
        json.key("place").string(input.place);
        write_text(json.key("from"), input.a);
        write_text(json.key("to"), input.b);
        json.end();
    }
    json.end();
    json.end();
    return text + "\n";
}

}  // namespace tovex_cli
