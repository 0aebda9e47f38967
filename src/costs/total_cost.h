// The total process utility cost per period.
#ifndef TOVEX_COSTS_TOTAL_COST_H
#define TOVEX_COSTS_TOTAL_COST_H

#include <cstdint>

#include "host/listkit.h"
#include "tovex/results_layout.h"

class CqxProject;

namespace tovex {

inline constexpr const char* total_cost_slot = layout::total_cost_slot.data();

// Writes "Rate per Hour" and "Cost per Hour" onto every utility streams entry,
// stores hours per period times the sum of the costs per hour on "Process
// Utilities Information" and posts it under the total cost slot.
void calc_total_utility_cost(CqxProject* project, QX_LIST names, QX_LIST cost_slots, QX_LIST values);

// The number handed to the host with the total: the total truncated to a
// signed 64-bit value, taken as unsigned. A total that is not finite or lies
// outside the signed 64-bit range gives a defined value (see the definition).
std::uint64_t total_cost_number(double total);

}  // namespace tovex

#endif
