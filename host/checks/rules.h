// What the checks share: where a finding is put, and the reads of a
// project's slots as the host answers the run's reads.
#ifndef QXHOST_CHECKS_RULES_H
#define QXHOST_CHECKS_RULES_H

#include <array>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checks/findings.h"
#include "checks/unit_hints.h"

namespace qxhost::checks {

// Findings gathered by severity, each where it will stay until take():
// a large plant has tens of thousands, and sorting them, or moving them as
// one vector grew, cost a third of the checks' time.
class Collector {
public:
    Finding& add(Severity severity, std::string_view code, std::string_view object, std::string_view slot,
                 std::string message, std::string hint = {});
    // Errors, then warnings, then notes, each in the order found.
    std::vector<Finding> take();

private:
    std::array<std::deque<Finding>, 3> by_severity_;
};

// A slot as the host reads it with inheritance: the table's own, else its
// defaults'.
inline const Value* inherited(const SlotTable& slots, const SlotTable& defaults, std::string_view name)
{
    const Value* value = slots.find(name);
    return value != nullptr ? value : defaults.find(name);
}
inline const Value* inherited(const Object& object, std::string_view name)
{
    return inherited(object.slots, object.defaults, name);
}

// "did you mean slot 'TOTAL MASS FLOW'?" when the object has a slot of
// that name in other letter case; empty otherwise.
std::string other_case_slot_hint(const Object& object, std::string_view name);

// Whether `text` begins with `prefix`, letter case ignored: how the run
// tells the Fuel, Instrument Air and Potable Water routes.
bool starts_with_ignoring_case(std::string_view text, std::string_view prefix);

// The cost basis of rate units as the host tells it (1 volume, 2 mass,
// 3 duty, 0 none), asked without the host remembering a warning.
int basis_of(std::string_view rate_units);
// The rate units the run derives from a "Unit Cost Units" text written as a
// currency per a quantity ("$/KLB": "KLB/H"); empty for a text without '/'.
std::string rate_units_of(std::string_view cost_units);


// Unit texts compared as the host compares them: letter case and blanks
// around the codes and the '/' ignored.
std::string normal_units(std::string_view units);

// The utilities whose streams the run posts; the price checks look only
// at those.
struct UsedUtilities {
    std::set<std::string, std::less<>> names;
    bool fuel = false;  // a stream on the Fuel route
};

UsedUtilities check_streams(const Project& project, const RunKind& kind, Collector& findings);
void check_entries(const Project& project, const UsedUtilities& used, Collector& findings);
void check_prices(const Project& project, const RunKind& kind, const UsedUtilities& used, Collector& findings);
void check_electrical_loads(const Project& project, const RunKind& kind, Collector& findings);

// How many of the units a price was written in make one of the units the
// run prices in (1000 for "$/MWH" read as per KWH); empty when the price
// has no units, or units the host cannot compare.
std::optional<double> electricity_price_factor(const Project& project);
std::optional<double> fuel_price_factor(const Project& project);

}  // namespace qxhost::checks

#endif
