// What the run itself told, as findings: each host warning says what could
// not be done; the finding adds what the run then did with the value, and
// a hint. The money at stake of a price read in other units comes from the
// run's own lines.
#include <algorithm>

#include "rules.h"
#include "run_results/run_results.h"
#include "run_results/warning_text.h"

namespace qxhost::checks {

namespace {

std::pair<std::string, std::string> object_and_slot(const std::string& source)
{
    const std::size_t cut = source.rfind(" / ");
    if (cut == std::string::npos) return {source, {}};
    return {source.substr(0, cut), source.substr(cut + 3)};
}

// A unit text the table does not hold gets the nearest one that does.
std::string units_hint(const UnitWarning& warning)
{
    for (const std::string* units : {&warning.from_units, &warning.to_units}) {
        if (known_units(*units)) continue;
        const std::string& other = units == &warning.from_units ? warning.to_units : warning.from_units;
        const std::string near = known_units(other) ? nearest_units(*units, other) : std::string();
        if (!near.empty()) return "\"" + *units + "\" is no unit: did you mean \"" + near + "\"?";
        if (units->empty()) return "give the value its units";
        return "\"" + *units + "\" is no unit (docs/units.md lists them)";
    }
    return "\"" + warning.from_units + "\" and \"" + warning.to_units + "\" measure different things";
}

Finding finding_of(const UnitWarning& warning)
{
    auto [object, slot] = object_and_slot(warning.source);
    Finding finding;
    finding.object = std::move(object);
    finding.slot = std::move(slot);
    switch (run_results::kind_of(warning)) {
    case run_results::WarningKind::host_note:
        finding.code = "host-assumption";
        finding.severity = Severity::warning;
        finding.message = warning.message;
        break;
    case run_results::WarningKind::no_cost_basis:
        finding.code = "cost-units-no-basis";
        finding.severity = Severity::error;
        finding.message = "the run finds no mass, volume or duty in \"" + warning.from_units +
                          "\", so every stream of this utility is rated 0";
        finding.hint = "give \"Unit Cost Units\" as a currency per quantity, e.g. \"$/KLB\"";
        break;
    case run_results::WarningKind::failed_conversion:
        finding.code = "conversion-failed";
        finding.severity = Severity::error;
        finding.message = "the run cannot convert \"" + warning.from_units + "\" to \"" + warning.to_units + "\": " +
                          (finding.slot == "Rate" ? "the fuel rate is not taken from it"
                                                  : "the value is used as it stands, as if in \"" +
                                                        warning.to_units + "\"");
        finding.hint = units_hint(warning);
        break;
    }
    return finding;
}

// The cost per hour a price read in other units puts too much (or too
// little) on the line the run printed for it.
void price_at_stake(Finding& finding, const Project& project, const run_results::RunResults& results)
{
    const bool electricity = finding.code == "electricity-price-units";
    if (!electricity && finding.code != "fuel-price-units") return;
    const auto factor = electricity ? electricity_price_factor(project) : fuel_price_factor(project);
    const std::string_view line = electricity ? "Electricity" : "Fuel";
    for (const run_results::UtilityLine& utility : results.utilities) {
        if (utility.name != line || !utility.cost_per_hour || !factor) continue;
        finding.cost_per_hour = *utility.cost_per_hour - *utility.cost_per_hour / *factor;
        finding.amount = utility.rate;
        finding.amount_units = utility.rate_units;
    }
}

}  // namespace

void add_run_findings(std::vector<Finding>& findings, const Project& project, const run_results::RunResults& results)
{
    for (Finding& finding : findings) price_at_stake(finding, project, results);
    const std::size_t found_before = findings.size();
    for (const UnitWarning& warning : results.warnings) {
        Finding finding = finding_of(warning);
        // A finding about the same slot already says more than the warning.
        const auto same_place = [&](const Finding& other) {
            return other.object == finding.object && other.slot == finding.slot;
        };
        if (std::any_of(findings.begin(), findings.begin() + static_cast<std::ptrdiff_t>(found_before), same_place))
            continue;
        findings.push_back(std::move(finding));
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
}

}  // namespace qxhost::checks
