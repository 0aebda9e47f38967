#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <unordered_map>

#include "host/unitkit.h"
#include "results/results.h"
#include "results/unit_costs.h"

namespace qxhost::results {

namespace {

constexpr int duty_class = 3005;

std::optional<std::string> description_of(const Object& stream)
{
    const Value* value = inherited(stream.slots, stream.defaults, "DESCRIPTION");
    if (value == nullptr) return std::nullopt;
    return value_as_text(*value);
}

// A duty read with inheritance and converted to `units`; a duty whose units
// do not convert stays as read, as the run leaves it.
std::optional<double> duty_of(const Object& stream, std::string_view slot, std::string_view units)
{
    const Value* value = inherited(stream.slots, stream.defaults, slot);
    const auto number = value != nullptr ? value_as_number(*value) : std::nullopt;
    if (!number) return std::nullopt;
    return units_converted(number->second, units, number->first).value_or(number->first);
}

double unit_cost_of(const Project& project, const std::string& utility)
{
    const Entry* entry = project.entries.find(utility);
    return entry != nullptr ? entry_unit_cost(*entry) : 0.0;
}

// "%f" and read back: the balance lines carry the duties as printed.
double as_printed(double value)
{
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return std::strtod(text, nullptr);
}

class Balancer {
public:
    explicit Balancer(const Project& project) : project_(project)
    {
        for (const Object& object : project.objects) by_name_.emplace(object.name, &object);
        for (const Object& object : project.objects)
            if (object.class_id == duty_class) streams_.push_back(&object);
        balances_.units = project.unit_system == 0 ? "BTU/H" : "KJ/H";
    }

    DutyBalances run()
    {
        for (std::size_t at = 0; at < streams_.size(); ++at) visit(at);
        for (auto& [name, balance] : by_utility_) {
            balance.net = balance.mix != 0 ? balance.mix - (balance.in + balance.out) : balance.in + balance.out;
            balances_.utilities.push_back(balance);
        }
        return balances_;
    }

private:
    void visit(std::size_t at)
    {
        const Object& stream = *streams_[at];
        const auto utility = description_of(stream);
        if (!utility || !project_.entries.contains(*utility)) return;
        const Connection* first = nullptr;
        for (const Connection& connection : project_.connections)
            if (connection.stream == stream.name && connection.direction == 2) {
                first = &connection;
                break;
            }
        double outlet = 0.0;
        double other = 0.0;
        std::string item;
        if (first == nullptr) {
            if (unit_cost_of(project_, *utility) != 0) return;
        } else {
            item = first->item;
            if (!scan_partners(at, stream, *utility, item, outlet, other)) return;
        }
        auto own = duty_of(stream, "DUTY", balances_.units);
        if (!own) own = duty_of(stream, "DUTY (SIM)", balances_.units);
        outlet += own.value_or(0.0);
        const double net = outlet - other;
        const std::string direction = other == 0 ? "MIX" : net < 0 ? "IN" : "OUT";
        const double printed = as_printed(std::fabs(net));
        balances_.streams.push_back({stream.name, item, *utility, printed, direction});
        DutyBalance& balance = by_utility_[*utility];
        balance.utility = *utility;
        (direction == "IN" ? balance.in : direction == "OUT" ? balance.out : balance.mix) += printed;
    }

    // The item's other utility streams: those joined at "Outlet" add to the
    // outlet sum and are not visited on their own; the rest to the other
    // sum. False when the item has no connections at all.
    bool scan_partners(std::size_t at, const Object& stream, const std::string& utility, const std::string& item,
                       double& outlet, double& other)
    {
        bool any = false;
        for (const Connection& connection : project_.connections) {
            if (connection.item != item || item.empty()) continue;
            any = true;
            const auto found = by_name_.find(connection.stream);
            if (found == by_name_.end() || connection.stream == stream.name) continue;
            const Object& partner = *found->second;
            const auto description = description_of(partner);
            if (!description || partner.class_id != duty_class || (description->empty() && !utility.empty()))
                continue;
            const double duty = duty_of(partner, "DUTY", balances_.units).value_or(0.0);
            if (connection.connector == "Outlet") {
                outlet += duty;
                take_out(at, partner);
            } else {
                other += duty;
            }
        }
        return any;
    }

    void take_out(std::size_t visiting, const Object& partner)
    {
        for (std::size_t k = visiting + 1; k < streams_.size(); ++k) {
            if (streams_[k] == &partner) {
                streams_.erase(streams_.begin() + static_cast<std::ptrdiff_t>(k));
                return;
            }
        }
    }

    const Project& project_;
    std::unordered_map<std::string_view, const Object*> by_name_;
    std::vector<const Object*> streams_;
    std::map<std::string, DutyBalance> by_utility_;
    DutyBalances balances_;
};

}  // namespace

std::optional<DutyBalances> duty_balances(const Project& after)
{
    if (after.sim_type != 4) return std::nullopt;
    return Balancer(after).run();
}

}  // namespace qxhost::results
