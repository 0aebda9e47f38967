// The partners of a utility stream in the duty balance: the other class 3005
// streams joined to the stream's item, and the walk over the stream list that
// the partners joined at "Outlet" leave early.
#ifndef TOVEX_RATES_DUTY_PARTNERS_H
#define TOVEX_RATES_DUTY_PARTNERS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "host/projmodel.h"
#include "rates/duty_lines.h"

namespace tovex {

// The balance's visit of its stream list by position. Partners taken out of
// the list lower `count`, so that the walk still meets every other stream
// exactly once.
struct stream_walk {
    CqxObjectInfoList& streams;
    std::uint32_t class_id;
    int position = 0;  // the stream being visited
    int count = 0;     // elements still in the list
};

// Takes the stream named `partner_name` out of the list when the walk has not
// reached it yet; a partner already visited, or not in the list, changes
// nothing.
void take_out_partner(stream_walk& walk, const std::string& partner_name);

// Adds the duty of every partner listed in `item_connections` (the item's
// connected objects in every direction) to `sums`, converted to
// `duty_units_name`. `duty_units_text` receives the units of each duty read.
// Partners at "Outlet" are taken out of the walk.
void scan_duty_partners(CqxProject* project, const CqxConnectorInfoList& item_connections,
                        const std::string& stream_object_name, std::string_view utility_name,
                        std::string_view duty_units_name, std::string& duty_units_text,
                        duty_sums& sums, stream_walk& walk);

}  // namespace tovex

#endif
