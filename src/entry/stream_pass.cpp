// The utility stream pass: recognise each utility stream of one class, sign
// it by its connectors, rate it and post it; in the equipment variant also
// record the connected item's use.
#include "entry/stream_pass.h"

#include "common/host_ptr.h"
#include "common/text.h"
#include "costs/cost_posting.h"
#include "costs/usage_records.h"
#include "host/objstore.h"
#include "host/projmodel.h"
#include "rates/utility_rate.h"

namespace tovex {

namespace {

enum class treatment { left_out, charged, credited };

// The sign and skip table: the class id is the pass's, not the stream's own.
treatment treatment_of(int pass_class_id, int pattern)
{
    switch (pass_class_id) {
    case 3105:
        if (pattern == side_1_only) return treatment::credited;
        if (pattern == side_2_only) return treatment::charged;
        return treatment::left_out;
    case 3205:
    case 3305:
    case 3005:
        if (pattern == side_1_only) return treatment::credited;
        if (pattern == both_sides) return treatment::left_out;
        return treatment::charged;
    default:
        return treatment::charged;
    }
}

// Every entry name of the configuration, then the three utilities that are
// priced without an entry.
CStrList utility_name_list(CqxProjectStreamsConfig* config)
{
    CStrList names;
    if (config != nullptr) config->GetEntries(names, nullptr, nullptr);
    for (const char* fixed : {"Fuel", "Instrument Air", "Potable Water"}) names.AddTextList(fixed, '\n');
    return names;
}

// The utility name of a description slot: its text, or its list's first
// item; a text of blanks is kept as it is.
std::string utility_name_of(const CqxSlot& slot)
{
    if (slot.IsText()) return std::string(text_or_empty(slot.Text()));
    if (slot.IsList()) {
        const CStrList items = slot.List();
        return std::string(text_or_empty(items.GetTextAt(0, nullptr)));
    }
    return {};
}

bool simulation_only_class(int class_id) { return class_id == 3205 || class_id == 3005; }

struct pass_context {
    CqxProject* project;
    CqxSimCase* sim_case;
    CqxProjectStreamsConfig* config;
    int class_id;
    QX_LIST names;
    QX_LIST cost_slots;
    QX_LIST values;
    bool record;
    const CStrList& utility_names;
};

void visit_stream(const pass_context& pass, CqxStream& stream, CqxSlot& slot)
{
    slot.Clear();
    if (simulation_only_class(stream.ClassId()) && (pass.sim_case == nullptr || pass.sim_case->IsValid() == 0))
        return;
    if (read_stream_description(&stream, slot) == 0) return;

    const std::string utility = utility_name_of(slot);
    if (utility.empty() || pass.utility_names.IsMember(utility) == 0) return;

    const treatment sign = treatment_of(pass.class_id, classify_stream_connectors(&stream));
    if (sign == treatment::left_out) return;

    double rate = 0.0;
    std::string rate_units;
    get_utility_rate(pass.project, &stream, pass.config, utility, rate, rate_units);
    // A plain change of sign: a credited 0 becomes -0 and prints "-0.000000".
    if (sign == treatment::credited) rate = -rate;

    std::string value_text = fixed6_with_units(rate, rate_units);
    // The posting rewrites the text with the accumulated amount; the record
    // keeps this stream's own.
    const std::string own_amount = value_text;
    post_utility_cost(utility, value_text, pass.names, pass.cost_slots, pass.values);

    if (!pass.record) return;
    std::string item_name;
    std::string item_description;
    get_connected_item(pass.project, &stream, sign == treatment::credited ? 1 : 2, item_name, item_description);
    std::string stream_name;
    stream.GetStreamName(stream_name);
    record_utility_usage(utility, own_amount, item_name, item_description, stream_name);
}

}  // namespace

int run_stream_pass(CqxProject* project, CqxSimCase* sim_case, CqxProjectStreamsConfig* config, int class_id,
                    QX_LIST names, QX_LIST cost_slots, QX_LIST values, bool record)
{
    if (project == nullptr) return 1;
    CqxObjectInfoNode node;
    auto streams = adopt(project->GetStreams(class_id));
    const CStrList utility_names = utility_name_list(config);
    if (!streams) return 1;

    const pass_context pass{project, sim_case, config, class_id, names, cost_slots, values, record, utility_names};
    CqxSlot slot;
    const int count = streams->GetLength();
    for (int position = 0; position < count; ++position) {
        if (streams->GetAt(position, node, nullptr) == 0) continue;
        auto stream = adopt(node.InstantiateStream(project, 0));
        if (stream) visit_stream(pass, *stream, slot);
    }
    return 1;
}

int classify_stream_connectors(CqxItemObject* stream)
{
    if (stream == nullptr || stream->IsValid() == 0) return unconnected;
    auto count_side = [stream](int direction) {
        auto connectors = adopt(stream->GetConnectors(direction, 1, nullptr));
        return connectors ? connectors->GetLength() : 0;
    };
    if (count_side(0) == 0) return unconnected;
    const int side_1 = count_side(1);
    const int side_2 = count_side(2);
    if (side_1 > 0 && side_2 == 0) return side_1_only;
    if (side_1 == 0 && side_2 > 0) return side_2_only;
    if (side_1 > 0 && side_2 > 0) return both_sides;
    return unconnected;
}

int read_stream_description(CqxItemObject* stream, CqxSlot& slot)
{
    stream->GetValue("DESCRIPTION", slot);
    return slot.IsValid() != 0 ? 1 : 0;
}

int get_connected_item(CqxProject* project, CqxItemObject* stream, int direction, std::string& item_name,
                       std::string& item_description)
{
    if (stream == nullptr || stream->IsValid() == 0) return 0;
    auto connected = adopt(stream->GetConnectedObjects(direction, nullptr, nullptr));
    if (connected) {
        CqxConnectorInfoNode node;
        connected->GetAt(0, node, nullptr);
        if (!node.ObjectName().empty()) {
            item_name = node.ObjectName();
            auto item = adopt(node.Instantiate(project, 0));
            if (item && item->IsValid() != 0) {
                std::string description;
                item->GetValueWithInheritance("CpItemDescription", description, nullptr);
                if (!description.empty()) item_description = description;
            }
        }
    }
    return (!item_name.empty() && !item_description.empty()) ? 1 : 0;
}

int get_slot_text(const CqxSlot& slot, std::string& text)
{
    if (slot.IsValid() == 0) return 0;
    CqxString candidate;
    if (slot.IsText()) {
        candidate = slot.Text();
    } else if (slot.IsList()) {
        const CStrList items = slot.List();
        candidate = items.GetTextAt(0, nullptr);
    }
    if (candidate.IsBlank() == 0) text = candidate.Str();
    return 1;
}

}  // namespace tovex
