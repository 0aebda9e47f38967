#include "store/store_json.h"

#include "json/json_writer.h"

namespace qxhost::store {

namespace {

std::string call_of(const RunSummary& run) { return call_text(run.call, run.class_id, run.record); }

// A number that is not finite has no JSON form; like an absent one, it is null.
void write_number(JsonWriter& json, const std::optional<double>& value)
{
    if (value) json.floating(*value);
    else json.null();
}

void write_pair(JsonWriter& json, const NumberPair& pair, bool same_units = true)
{
    json.begin_object();
    write_number(json.key("from"), pair.a);
    write_number(json.key("to"), pair.b);
    write_number(json.key("change"), change(pair, same_units));
    json.end();
}

void write_text_pair(JsonWriter& json, const std::string& a, const std::string& b, bool in_a, bool in_b)
{
    json.begin_object();
    if (in_a) json.key("from").string(a);
    else json.key("from").null();
    if (in_b) json.key("to").string(b);
    else json.key("to").null();
    json.end();
}

void write_text(JsonWriter& json, const std::optional<std::string>& text)
{
    if (text) json.string(*text);
    else json.null();
}

void write_run(JsonWriter& json, const RunSummary& run)
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

std::string runs_json(const std::vector<RunSummary>& runs)
{
    std::string text;
    JsonWriter json(text, JsonLayout::member_per_line);
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

std::string diff_json(const RunDiff& diff)
{
    std::string text;
    JsonWriter json(text, JsonLayout::member_per_line);
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

}  // namespace qxhost::store
