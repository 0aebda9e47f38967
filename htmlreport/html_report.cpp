#include "htmlreport/html_report.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "htmlreport/bar_chart.h"
#include "htmlreport/html_text.h"
#include "htmlreport/page_style.h"
#include "run_results/result_figures.h"
#include "run_results/warning_text.h"
#include "run_results/run_results.h"
#include "tovex/results_layout.h"

namespace tovex_html {

namespace {

using qxhost::run_results::AreaCosts;
using qxhost::run_results::ItemCost;
using qxhost::run_results::GroupCost;
using qxhost::run_results::Reconciliation;

using qxhost::run_results::ItemUsage;
using qxhost::run_results::UtilityLine;

// A table cell holding a number: right-aligned, a credit marked.
std::string number_cell(std::optional<double> value, int decimals)
{
    const bool credit = value && *value < 0;
    return std::string("<td class=\"number") + (credit ? " negative" : "") + "\">" + grouped(value, decimals) + "</td>";
}

std::string text_cell(std::string_view text) { return "<td>" + escaped(text) + "</td>"; }

// A rate or an amount: three decimals, more for a small one, so that at
// least four significant digits show (0.0003600, not 0.000).
int decimals_for(std::optional<double> value)
{
    if (!value || *value == 0 || !std::isfinite(*value) || std::fabs(*value) >= 1) return 3;
    return std::min(9, 3 - static_cast<int>(std::floor(std::log10(std::fabs(*value)))));
}
std::string quantity_cell(std::optional<double> value) { return number_cell(value, decimals_for(value)); }

std::string figure(const std::string& value, const std::string& label)
{
    return "<div class=\"figure\"><div class=\"value\">" + value + "</div><div class=\"label\">" + label +
           "</div></div>";
}

std::string money_unit(const std::string& currency, const char* per)
{
    return escaped(currency.empty() ? "currency" : currency) + per;
}

std::string heading(const qxhost::Project& after, const RunFacts& run, const qxhost::run_results::Totals& totals)
{
    std::string html = "<h1>Utility costs: " + escaped(after.name) + "</h1>";
    html += "<p class=\"meta\">Scenario <b>" + escaped(after.scenario) + "</b>, user instance " +
            std::to_string(after.instance) + ". Run: " + escaped(run.call) + " at " + escaped(run.when_utc) +
            " (result " + std::to_string(run.result) + "). Currency: " +
            (totals.currency.empty() ? "not given" : escaped(totals.currency)) + ". tovex " + escaped(run.version) +
            ".</p>";
    return html;
}

// The checks open the page: what the run dropped, took as 0 or priced in
// other units, errors first, with the money at stake.
std::string checks_section(const RunFacts& run, const std::string& currency)
{
    const auto& findings = run.findings;
    if (findings.empty()) return "<p id=\"checks\" class=\"note\">Checks: the run dropped nothing and priced "
                                 "everything in the units written.</p>";
    const auto counts = qxhost::checks::count_by_severity(findings);
    std::string html = "<div class=\"checks\" id=\"checks\"><h2>Checks: " + std::to_string(counts[0]) +
                       " error(s), " + std::to_string(counts[1]) + " warning(s), " + std::to_string(counts[2]) +
                       " note(s)</h2><table><tr><th></th><th>Code</th><th>Concerns</th><th>What the run did</th>"
                       "<th class=\"number\">At stake (" + money_unit(currency, "/h") + ")</th></tr>";
    for (const qxhost::checks::Finding& finding : findings) {
        const std::string_view severity = qxhost::checks::severity_name(finding.severity);
        std::string what = escaped(finding.message);
        if (finding.amount) what += " (" + grouped(finding.amount, decimals_for(finding.amount)) + " " +
                                    escaped(finding.amount_units) + ")";
        if (!finding.hint.empty()) what += "<br><i>" + escaped(finding.hint) + "</i>";
        const std::string place = finding.slot.empty() ? finding.object : finding.object + " / " + finding.slot;
        html += "<tr class=\"" + std::string(severity) + "\"><td>" + std::string(severity) + "</td>" +
                text_cell(finding.code) + text_cell(place) + "<td>" + what + "</td>" +
                number_cell(finding.cost_per_hour, 2) + "</tr>";
    }
    return html + "</table><p class=\"note\">docs/checks.md says what each code means and what to do.</p></div>";
}

std::string warnings_section(const RunFacts& run)
{
    const std::vector<UnitWarning>& warnings = run.results.warnings;
    if (warnings.empty()) return "";
    std::string html = "<div class=\"warnings\" id=\"warnings\"><h2>" + std::to_string(warnings.size()) +
                       " warning(s): some numbers may be missing or wrong</h2><table><tr><th>Concerns</th>"
                       "<th>What happened</th></tr>";
    for (const UnitWarning& warning : warnings) {
        const auto [text, detail] = qxhost::run_results::warning_text(warning);
        const std::string what = detail.empty() ? text : text + ": " + detail;
        html += "<tr>" + text_cell(warning.source.empty() ? "(not known)" : warning.source) + text_cell(what) + "</tr>";
    }
    return html + "</table></div>";
}

std::string key_figures(const qxhost::run_results::Totals& totals, double hourly)
{
    std::string html = "<div class=\"figures\" id=\"key-figures\">";
    html += figure("<span id=\"total-per-period\">" + grouped(totals.per_period, 2) + "</span>",
                   "total process utility cost per period, " + money_unit(totals.currency, ""));
    html += figure(grouped(hourly, 2), "cost per hour of the utilities in the total, " +
                                           money_unit(totals.currency, "/h"));
    html += figure("<span id=\"all-per-period\">" + grouped(totals.all_per_period, 2) + "</span>",
                   "all utilities per period, electricity and fuel included, " + money_unit(totals.currency, ""));
    html += figure(grouped(totals.all_per_hour, 2), "all utilities per hour, electricity and fuel included, " +
                                                        money_unit(totals.currency, "/h"));
    html += figure(grouped(totals.hours, 0) + " h",
                   totals.hours_assumed ? "operating hours per period: 8000 h assumed (no investment parameters)"
                                        : "operating hours per period");
    return html + "</div>";
}

std::string utilities_section(const std::vector<UtilityLine>& lines, const qxhost::run_results::Totals& totals)
{
    std::string html = "<h2>Utilities</h2><table id=\"utilities\"><tr><th>Utility</th><th>Fluid</th>"
                       "<th class=\"number\">Rate</th><th>Rate units</th><th>Priced per</th>"
                       "<th class=\"number\">Cost per hour (" + money_unit(totals.currency, "/h") +
                       ")</th><th>In the total</th></tr>";
    std::vector<Bar> bars;
    for (const UtilityLine& line : lines) {
        html += std::string("<tr") + (line.in_total ? "" : " class=\"outside\"") + ">" + text_cell(line.name) +
                text_cell(line.fluid) + quantity_cell(line.rate) + text_cell(line.rate_units) +
                text_cell(line.priced_unit) + number_cell(line.cost_per_hour, 2) + "<td>" +
                (line.in_total ? "yes" : "no: reported beside it") + "</td></tr>";
        if (line.cost_per_hour) bars.push_back({line.name, *line.cost_per_hour, !line.in_total});
    }
    html += "</table>";
    html += bar_chart(bars, "Cost per hour by utility");
    return html + "<p class=\"note\">Credits (negative rates or costs) are drawn to the left of zero. Lighter bars "
                  "are outside the total per period.</p>";
}

std::string groups_table(const char* id, const char* title, const char* what, const std::vector<GroupCost>& groups,
                         const std::string& currency)
{
    std::string html = std::string("<h2>") + title + "</h2><table id=\"" + id + "\"><tr><th>" + what +
                       "</th><th class=\"number\">Items</th><th class=\"number\">Cost per hour (" +
                       money_unit(currency, "/h") + ")</th></tr>";
    std::vector<Bar> bars;
    for (const GroupCost& group : groups) {
        const std::string name = group.name.empty() ? "(none)" : group.name;
        html += "<tr>" + text_cell(name) + "<td class=\"number\">" + std::to_string(group.items) + "</td>" +
                number_cell(group.cost_per_hour, 2) + "</tr>";
        bars.push_back({name, group.cost_per_hour, false});
    }
    return html + "</table><p class=\"note\">From the items' lines in the detailed report, electricity and fuel "
                  "included: these add up to the cost of all utilities, not to the total per period, less what "
                  "no item carries.</p>" + bar_chart(bars, title);
}

std::string items_section(const std::vector<ItemCost>& items, const std::string& currency)
{
    std::string html = "<h2>The items that cost most per hour</h2><table id=\"items\"><tr><th>Item</th>"
                       "<th>Description</th><th>Utilities</th><th class=\"number\">Cost per hour (" +
                       money_unit(currency, "/h") + ")</th></tr>";
    for (const ItemCost& item : items) {
        std::string utilities;
        for (const ItemUsage* usage : item.utilities) {
            if (!utilities.empty()) utilities += "<br>";
            utilities += escaped(usage->utility) + ": " + grouped(usage->amount, decimals_for(usage->amount)) + " " +
                         escaped(usage->amount_units) + ", " + grouped(usage->cost_per_hour, 2);
        }
        html += "<tr>" + text_cell(item.item.empty() ? "(no item)" : item.item) + text_cell(item.description) +
                "<td>" + utilities + "</td>" + number_cell(item.cost_per_hour, 2) + "</tr>";
    }
    return html + "</table>";
}

std::string utility_reconciliation(const std::vector<Reconciliation>& rows)
{
    std::string html = "<p class=\"note\">Each utility's rate as posted (the summary line) against the sum of its "
                       "items' lines in the detailed report.</p><table id=\"reconciliation\">"
                       "<tr><th>Utility</th><th>Units</th><th class=\"number\">Posted</th>"
                       "<th class=\"number\">Items' lines</th><th class=\"number\">Lines</th>"
                       "<th class=\"number\">Difference</th><th>Why</th></tr>";
    for (const Reconciliation& row : rows) {
        std::string why;
        for (const auto& [cause, amount] : row.causes) {
            if (!why.empty()) why += "<br>";
            why += escaped(cause);
            if (amount && *amount != 0) why += " (" + grouped(*amount, 6) + ")";
        }
        if (!row.explained) why += std::string(why.empty() ? "" : "<br>") + "<span class=\"bad\">not explained</span>";
        if (why.empty()) why = "they agree";
        html += "<tr>" + text_cell(row.utility) + text_cell(row.units) + number_cell(row.posted, 6) +
                number_cell(row.lines, 6) + "<td class=\"number\">" + std::to_string(row.line_count) + "</td>" +
                "<td class=\"number\">" + grouped(row.difference, 6) + "</td><td>" + why + "</td></tr>";
    }
    return html + "</table>";
}

// The utility rows only for a full run: a reduced run records no items,
// and a pass neither prices the utilities again nor records them all.
std::string reconciliation_section(const std::optional<std::vector<Reconciliation>>& rows,
                                   const qxhost::run_results::Totals& totals, double hourly)
{
    std::string html = "<h2>Reconciliation</h2>";
    if (!rows) {
        html += "<p class=\"note\" id=\"no-items\">Only a full run prices every utility and records every "
                "item's usage, so only its rates are set against its items' lines here.</p>";
    } else {
        html += utility_reconciliation(*rows);
    }
    if (!totals.per_period) {
        return html + "<p id=\"total-check\">The project has no total row, so no total per period was posted "
                      "to check.</p>";
    }
    const double expected = hourly * totals.hours;
    const double gap = *totals.per_period - expected;
    const bool agrees = std::fabs(gap) <= 1e-6 * std::max(1.0, std::fabs(expected));
    html += "<p id=\"total-check\">Total per period " + grouped(totals.per_period, 2) + " against the costs per hour " +
            grouped(hourly, 2) + " times " + grouped(totals.hours, 0) + " h = " + grouped(expected, 2) + ": " +
            (agrees ? "they agree." : "<span class=\"bad\">they differ by " + grouped(gap, 2) + ".</span>") + "</p>";
    return html;
}

}  // namespace

std::string html_report(const qxhost::Project& after, const RunFacts& run)
{
    const auto& lines = run.results.utilities;
    const auto& totals = run.results.totals;
    const auto& usages = run.results.items;
    // The hourly cost that makes the total per period: the lines in it.
    double hourly = 0.0;
    for (const UtilityLine& line : lines)
        if (line.in_total && line.cost_per_hour) hourly += *line.cost_per_hour;

    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                       "style-src 'unsafe-inline'; img-src data:\">"
                       "<title>Utility costs: " + escaped(after.name) + " (" + escaped(after.scenario) +
                       ")</title><style>" + page_style + "</style></head><body>\n";
    html += heading(after, run, totals);
    html += checks_section(run, totals.currency);
    html += warnings_section(run);
    html += key_figures(totals, hourly);
    html += utilities_section(lines, totals);
    const AreaCosts areas = cost_by_area_and_group(after, usages);
    html += groups_table("areas", "Cost per hour by area", "Area", areas.by_area, totals.currency);
    html += groups_table("groups", "Cost per hour by report group", "Report group", areas.by_group, totals.currency);
    html += items_section(costliest_items(usages, 20), totals.currency);
    std::optional<std::vector<Reconciliation>> reconciled;
    if (run.call == "full") {
        reconciled = reconcile(lines, usages, run.journal, balanced_utilities(after, run.call, lines));
        if (auto electricity = reconcile_electricity(after, lines, usages)) reconciled->insert(reconciled->begin(), *electricity);
    }
    html += reconciliation_section(reconciled, totals, hourly);
    html += "\n</body></html>\n";
    return html;
}

}  // namespace tovex_html
