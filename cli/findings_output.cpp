#include "findings_output.h"

namespace tovex_cli {

using qxhost::checks::Finding;
using qxhost::checks::Severity;

std::string findings_count(const std::vector<Finding>& findings)
{
    const auto counts = qxhost::checks::count_by_severity(findings);
    std::string text;
    for (const Severity severity : {Severity::error, Severity::warning, Severity::note}) {
        const std::size_t count = counts[static_cast<std::size_t>(severity)];
        if (!text.empty()) text += ", ";
        text += std::to_string(count) + " " + std::string(qxhost::checks::severity_name(severity)) +
                (count == 1 ? "" : "s");
    }
    return text;
}

std::string finding_lines(const std::vector<Finding>& findings, bool notes)
{
    if (findings.empty()) return {};
    std::string text = "tovex: checks: " + findings_count(findings);
    const std::size_t note_count = qxhost::checks::count_by_severity(findings)[2];
    text += !notes && note_count > 0 ? " (--notes lists the notes)\n" : "\n";
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::note && !notes) continue;
        text += "tovex: " + qxhost::checks::finding_line(finding) + "\n";
    }
    return text;
}

void write_findings(qxhost::JsonWriter& json, const std::vector<Finding>& findings)
{
    const auto number_or_null = [&](const std::optional<double>& number) {
        if (number) json.number(*number);
        else json.null();
    };
    json.begin_array();
    for (const Finding& finding : findings) {
        json.begin_object();
        json.key("code").string(finding.code);
        json.key("severity").string(qxhost::checks::severity_name(finding.severity));
        json.key("object").string(finding.object);
        json.key("slot").string(finding.slot);
        json.key("message").string(finding.message);
        json.key("hint").string(finding.hint);
        json.key("amount");
        number_or_null(finding.amount);
        json.key("amount_units").string(finding.amount_units);
        json.key("cost_per_hour");
        number_or_null(finding.cost_per_hour);
        json.end();
    }
    json.end();
}

}  // namespace tovex_cli
