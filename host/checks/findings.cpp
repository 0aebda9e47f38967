#include <algorithm>
#include <cstdio>

#include "rules.h"

namespace qxhost::checks {

std::string_view severity_name(Severity severity)
{
    switch (severity) {
    case Severity::error: return "error";
    case Severity::warning: return "warning";
    case Severity::note: break;
    }
    return "note";
}

Finding& Collector::add(Severity severity, std::string_view code, std::string_view object, std::string_view slot,
                        std::string message, std::string hint)
{
    Finding& finding = by_severity_[static_cast<std::size_t>(severity)].emplace_back();
    finding.code = code;
    finding.severity = severity;
    finding.object = object;
    finding.slot = slot;
    finding.message = std::move(message);
    finding.hint = std::move(hint);
    return finding;
}

// The order of the rules the run applies: the streams as the passes meet
// them, then what prices them, then the electricity.
std::vector<Finding> Collector::take()
{
    std::vector<Finding> found;
    found.reserve(by_severity_[0].size() + by_severity_[1].size() + by_severity_[2].size());
    for (auto& bucket : by_severity_) {
        for (Finding& finding : bucket) found.push_back(std::move(finding));
        bucket.clear();
    }
    return found;
}

std::vector<Finding> check_project(const Project& project, const RunKind& kind)
{
    Collector findings;
    const UsedUtilities used = check_streams(project, kind, findings);
    check_entries(project, used, findings);
    check_prices(project, kind, used, findings);
    check_electrical_loads(project, kind, findings);
    return findings.take();
}

std::array<std::size_t, 3> count_by_severity(const std::vector<Finding>& findings)
{
    std::array<std::size_t, 3> counts{};
    for (const Finding& finding : findings) ++counts[static_cast<std::size_t>(finding.severity)];
    return counts;
}

bool has_error(const std::vector<Finding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::error; });
}

std::string finding_line(const Finding& finding)
{
    std::string line = std::string(severity_name(finding.severity)) + " " + finding.code + ": " + finding.object;
    if (!finding.slot.empty()) line += " / " + finding.slot;
    line += ": " + finding.message;
    if (finding.amount) {
        line += " (" + shortest_number_text(*finding.amount);
        if (!finding.amount_units.empty()) line += " " + finding.amount_units;
        line += ")";
    }
    if (finding.cost_per_hour) {
        char money[64];
        std::snprintf(money, sizeof money, "%.2f", *finding.cost_per_hour);
        line += "; at stake " + std::string(money) + " an hour";
    }
    if (!finding.hint.empty()) line += "; " + finding.hint;
    return line;
}

}  // namespace qxhost::checks
