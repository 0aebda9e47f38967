#include "rates/duty_partners.h"

#include "common/host_ptr.h"
#include "common/units.h"
#include "entry/stream_pass.h"
#include "host/objstore.h"

namespace tovex {

namespace {

// Only streams of this class balance against each other, whatever class the
// pass was handed.
constexpr int duty_stream_class = 3005;
constexpr std::string_view outlet_connector = "Outlet";

}  // namespace

void take_out_partner(stream_walk& walk, const std::string& partner_name)
{
    const CqxObjectInfoNode key(partner_name.c_str(), nullptr, nullptr, 0,
                                static_cast<int>(walk.class_id), nullptr);
    // FindPos and RemoveAt use the list's key index, so taking partners out
    // keeps the pass at O(n log n) in the number of streams.
    const int found = walk.streams.FindPos(key);
    if (found > walk.position && walk.streams.RemoveAt(found) != 0) --walk.count;
}

void scan_duty_partners(CqxProject* project, const CqxConnectorInfoList& item_connections,
                        const std::string& stream_object_name, std::string_view utility_name,
                        std::string_view duty_units_name, std::string& duty_units_text,
                        duty_sums& sums, stream_walk& walk)
{
    CqxConnectorInfoNode connection;
    const int length = item_connections.GetLength();
    for (int index = 0; index < length; ++index) {
        if (item_connections.GetAt(index, connection) == 0) continue;
        std::string partner_description;
        CqxSlot slot;
        double partner_duty = 0.0;  // [duty units once converted]

        const auto partner = adopt(connection.InstantiateStream(project, 0));
        if (!partner) continue;
        const std::string partner_name = partner->ObjectName();
        if (partner_name == stream_object_name) continue;
        partner->GetValueWithInheritance("DESCRIPTION", slot, nullptr);
        if (get_slot_text(slot, partner_description) == 0) continue;
        if (partner->ClassId() != duty_stream_class) continue;
        // A partner of any utility counts; only a blank one is left out, and
        // only when the stream itself names a utility.
        if (partner_description.empty() && !utility_name.empty()) continue;

        // A duty that cannot be read stays 0 and still converts to 0.
        partner->GetValueWithInheritance("DUTY", partner_duty, duty_units_text, nullptr);
        convert_units(duty_units_text, duty_units_name, partner_duty);

        if (connection.Name() == outlet_connector) {
            sums.outlet += partner_duty;
            take_out_partner(walk, partner_name);
        } else {
            sums.other += partner_duty;
        }
    }
}

}  // namespace tovex
