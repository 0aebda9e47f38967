// The duty balance pass: for each utility stream of the class, the net heat
// duty it exchanges at its item, recorded per item and collected per utility.
#include "rates/duty_balance.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "common/host_ptr.h"
#include "common/text.h"
#include "common/units.h"
#include "costs/usage_records.h"
#include "entry/stream_pass.h"
#include "host/objstore.h"
#include "host/projmodel.h"
#include "host/unitkit.h"
#include "rates/duty_lines.h"
#include "rates/duty_partners.h"
#include "tovex/results_layout.h"

namespace tovex {

namespace {

// The unit cost of the utility's configuration entry; 0 when there is no
// entry or it cannot be read. `units` receives the cost units when read.
double utility_unit_cost(CqxProjectStreamsConfig* config, const std::string& utility_name,
                         std::string& units)
{
    double unit_cost = 0.0;  // [currency per priced unit]
    const auto entry = adopt(config->InstantiateEntry(utility_name));
    if (entry) entry->GetValueWithInheritance("Unit Cost", unit_cost, units, nullptr);
    return unit_cost;
}

// The stream's own duty [duty units]: "DUTY", else "DUTY (SIM)", else 0.
double own_duty(CqxStream& stream, std::string_view duty_units_name, std::string& duty_units_text)
{
    double duty = 0.0;
    if (stream.GetValueWithInheritance("DUTY", duty, duty_units_text, nullptr) == 0)
        stream.GetValueWithInheritance("DUTY (SIM)", duty, duty_units_text, nullptr);
    convert_units(duty_units_text, duty_units_name, duty);
    return duty;
}

}  // namespace

// The simulation case is the caller's reason to balance; the pass itself
// never consults it.
int balance_utility_duties(CqxProject* project, CqxSimCase* /*sim_case*/, CqxProjectStreamsConfig* config,
                           std::uint32_t class_id, QX_LIST names, QX_LIST cost_slots, QX_LIST values)
{
    balance_map balances;
    const std::string_view duty_units_name = layout::duty_balance_units(units_get_unit_type());

    const auto streams = adopt(project->GetStreams(static_cast<int>(class_id)));
    if (!streams) return 0;

    CStrList entry_names;
    config->GetEntries(entry_names, nullptr, nullptr);
    stream_walk walk{*streams, class_id, 0, streams->GetLength()};

    CqxObjectInfoNode node;
    for (walk.position = 0; walk.position < walk.count; ++walk.position) {
        std::string utility_name;
        duty_sums sums;

        if (streams->GetAt(walk.position, node) == 0) continue;
        const auto stream = adopt(node.InstantiateStream(project, 0));
        if (!stream) continue;
        CqxSlot slot;
        stream->GetValueWithInheritance("DESCRIPTION", slot, nullptr);
        if (get_slot_text(slot, utility_name) == 0 || entry_names.IsMember(utility_name) == 0)
            continue;

        std::string duty_units_text;
        std::optional<CqxProjectObject> item;
        {
            const auto stream_connections = adopt(stream->GetConnectedObjects(2, nullptr, nullptr));
            if (!stream_connections) {
                // An unconnected stream of a priced utility cannot be balanced;
                // one of a free utility still counts with its own duty.
                if (utility_unit_cost(config, utility_name, duty_units_text) != 0.0) continue;
            } else {
                // A list without elements names no item, and an item built from
                // an empty connector has no connections: the stream would be
                // passed over below anyway, so it is passed over here.
                CqxConnectorInfoNode first;
                if (stream_connections->GetAt(0, first) == 0) continue;
                item.emplace(first.ObjectName().c_str(), first.ClassId(), project, 0);
                const auto item_connections = adopt(item->GetConnectedObjects(0, nullptr, nullptr));
                if (!item_connections) continue;
                duty_units_text.clear();
                scan_duty_partners(project, *item_connections, stream->ObjectName(), utility_name,
                                   duty_units_name, duty_units_text, sums, walk);
            }
        }

        const double duty = own_duty(*stream, duty_units_name, duty_units_text);  // [duty units]
        std::string stream_name;
        stream->GetStreamName(stream_name);

        sums.outlet += duty;
        const double net = net_duty(sums);  // [duty units]

        if (item) {
            std::string item_description;
            item->GetValueWithInheritance("CpItemDescription", item_description, nullptr);
            const std::string record_text =
                fixed6(std::fabs(net)) + '\n' + std::string(duty_units_name);
            record_utility_usage(utility_name, record_text, item->ObjectName(), item_description,
                                 stream_name);
        }

        balances[utility_name] += balance_line(sums);
    }

    if (!balances.empty()) post_duty_balances(balances, names, cost_slots, values);
    return 1;
}

}  // namespace tovex
