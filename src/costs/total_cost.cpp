// The total process utility cost: rate and cost per hour on every utility
// streams entry, and hours per period times their sum.
#include "costs/total_cost.h"

#include <cmath>
#include <limits>
#include <string>

#include "common/host_ptr.h"
#include "common/text.h"
#include "host/listkit.h"
#include "host/objstore.h"
#include "host/projmodel.h"
#include "host/textkit.h"

namespace tovex {

namespace {

constexpr double default_hours_per_period = 8000.0;

// The utility's accumulated rate and its units, read back from the value
// list at the row of its name.
struct posted_rate {
    double rate = 0.0;
    std::string units;
};

posted_rate read_posted_rate(QX_LIST names, QX_LIST values, const std::string& utility)
{
    posted_rate posted;
    const char* value_text = list2_get_slot_value(names, values, utility, nullptr);
    if (value_text == nullptr || *value_text == '\0') return posted;
    value_text_parts parts = split_value_text(value_text);
    convert_todouble(parts.amount, &posted.rate);
    posted.units = std::move(parts.units);
    return posted;
}

// Writes rate and cost per hour onto one entry; returns its cost per hour.
double settle_entry(CqxProjectStreamsConfig& config, const std::string& utility, QX_LIST names, QX_LIST values)
{
    auto entry = adopt(config.InstantiateEntry(utility));
    if (!entry || entry->IsValid() == 0) return 0.0;

    // Values of an earlier run never survive, also where nothing was posted.
    entry->SetValue(layout::rate_per_hour_slot, 0.0, "", 0);
    entry->SetValue(layout::entry_cost_per_hour_slot, 0.0, "", 0);

    double unit_cost = 0.0;  // [currency per priced unit]
    std::string unused_units;
    entry->GetValue("Unit Cost", unit_cost, unused_units);

    // The rate arrives in the units in which the unit cost is quoted, so no
    // conversion is made.
    const posted_rate posted = read_posted_rate(names, values, utility);
    double cost_per_hour = 0.0;
    if (unit_cost != 0.0 && posted.rate != 0.0) cost_per_hour = unit_cost * posted.rate;

    entry->SetValue(layout::rate_per_hour_slot, posted.rate, posted.units, 0);
    entry->SetValue(layout::entry_cost_per_hour_slot, cost_per_hour, "", 0);
    return cost_per_hour;
}

double operating_hours_per_period(std::uint32_t instance)
{
    CqxGenericObject parameters(instance, "INV", "Investment Analysis Parameters", 0, nullptr, 0);
    if (parameters.IsValid() == 0 || parameters.Exists() == 0) return default_hours_per_period;
    // An object without the slot gives no hours, and so a total of 0.
    double hours = 0.0;
    std::string unused_units;
    parameters.GetValue("Operating Hours per Period", hours, unused_units);
    return hours;
}

void store_total_in_project(std::uint32_t instance, double total)
{
    CqxGenericObject information(instance, "UTILITY", "Process Utilities Information", 0, nullptr, 0);
    if (information.IsValid() != 0 && information.Exists() != 0)
        information.SetValue(total_cost_slot, total, "", 0);
}

}  // namespace

// Dropping the fraction of a double is undefined in C++ when the value is not
// finite or does not fit the target, so every total gets a defined result:
// a positive total below 2^64 converts exactly and one at or above it (or
// +inf) saturates at 2^64 - 1; not a number gives 0; a negative total goes
// through the truncated signed value, saturated at -2^63, and wraps into
// the unsigned range as the host expects (a negative total lands at the top).
std::uint64_t total_cost_number(double total)
{
    constexpr double two_to_63 = 9223372036854775808.0;
    constexpr double two_to_64 = 18446744073709551616.0;
    if (std::isnan(total)) return 0;
    if (total >= two_to_64) return std::numeric_limits<std::uint64_t>::max();
    if (total >= 0.0) return static_cast<std::uint64_t>(total);
    const std::int64_t truncated =
        total < -two_to_63 ? std::numeric_limits<std::int64_t>::min() : static_cast<std::int64_t>(total);
    return static_cast<std::uint64_t>(truncated);
}

void calc_total_utility_cost(CqxProject* project, QX_LIST names, QX_LIST cost_slots, QX_LIST values)
{
    if (project == nullptr) return;
    CqxProjectStreamsConfig config(project, 2005, 0);
    if (config.IsValid() == 0) return;

    CStrList utilities;
    config.GetEntries(utilities, nullptr, nullptr);
    double sum_of_costs_per_hour = 0.0;  // [currency/H]
    const int count = utilities.GetLength();
    for (int position = 0; position < count; ++position) {
        const char* utility = utilities.GetTextAt(position, nullptr);
        if (utility == nullptr) continue;
        sum_of_costs_per_hour += settle_entry(config, utility, names, values);
    }

    const std::uint32_t instance = project->UserInstance();
    const double total = operating_hours_per_period(instance) * sum_of_costs_per_hour;  // [currency/period]
    store_total_in_project(instance, total);

    std::string total_text;
    compiler_float_to_string(total, total_text);
    list2_add_slot_value(cost_slots, values, total_cost_slot, total_text, total_cost_number(total));
}

}  // namespace tovex
