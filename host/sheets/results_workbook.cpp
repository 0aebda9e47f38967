#include "sheets/results_workbook.h"

#include "run_results/result_figures.h"
#include "run_results/warning_text.h"

namespace qxhost::sheets {

namespace {

using run_results::ItemUsage;
using run_results::UtilityLine;

constexpr const char* money = "#,##0.00";
constexpr const char* amount = "#,##0.000###";

Cell text(std::string_view value) { return Cell::of_text(std::string(value)); }
Cell number(const std::optional<double>& value) { return value ? Cell::of_number(*value) : Cell{}; }

Column column(std::string name, std::string note, const char* format = "")
{
    return {std::move(name), std::move(note), {}, format};
}

Sheet summary(const Project& after, const RunReport& run)
{
    const auto& totals = run.results.totals;
    Sheet sheet{"Summary", {column("What", ""), column("Value", "", money), column("Units", "")}, {}};
    const auto row = [&](std::string_view what, Cell value, std::string_view units = {}) {
        sheet.rows.push_back({text(what), std::move(value), text(units)});
    };
    const std::string currency = totals.currency;
    row("project", text(after.name));
    row("scenario", text(after.scenario));
    row("run", text(run.call));
    row("when", text(run.when_utc));
    row("result", Cell::of_number(run.result));
    row("tovex", text(run.version));
    row("total process utility cost per period", number(totals.per_period), currency);
    row("all utilities per hour, electricity and fuel included", number(totals.all_per_hour), currency + "/H");
    row("all utilities per period, electricity and fuel included", number(totals.all_per_period), currency);
    row(totals.hours_assumed ? "operating hours per period (8000 assumed)" : "operating hours per period",
        Cell::of_number(totals.hours), "H");
    const auto counts = checks::count_by_severity(run.findings);
    row("findings: errors", Cell::of_number(static_cast<double>(counts[0])));
    row("findings: warnings", Cell::of_number(static_cast<double>(counts[1])));
    row("findings: notes", Cell::of_number(static_cast<double>(counts[2])));
    return sheet;
}

Sheet utilities(const RunReport& run)
{
    const auto& totals = run.results.totals;
    Sheet sheet{"Utilities",
                {column("Utility", "the summary report's line"), column("Fluid", ""),
                 column("Rate", "the amount per hour, in Rate units", amount), column("Rate units", ""),
                 column("Priced per", "the unit the price is quoted per"),
                 column("Unit price", "cost per hour over rate: the price the run applied", amount),
                 column("Cost per hour", "as the run printed it", money),
                 column("Cost per period", "cost per hour times the operating hours", money),
                 column("Share", "of all utilities' cost per hour", "0.0%"),
                 column("In total", "yes: part of the total per period (Electricity and Fuel are not)")},
                {},
                Chart{"Cost per hour by utility", 0, 6}};
    for (const UtilityLine& line : run.results.utilities) {
        std::optional<double> price, per_period, share;
        if (line.cost_per_hour && line.rate && *line.rate != 0) price = *line.cost_per_hour / *line.rate;
        if (line.cost_per_hour) per_period = *line.cost_per_hour * totals.hours;
        if (line.cost_per_hour && totals.all_per_hour && *totals.all_per_hour != 0)
            share = *line.cost_per_hour / *totals.all_per_hour;
        sheet.rows.push_back({text(line.name), text(line.fluid), number(line.rate), text(line.rate_units),
                              text(line.priced_unit), number(price), number(line.cost_per_hour), number(per_period),
                              number(share), text(line.in_total ? "yes" : "no")});
    }
    return sheet;
}

Sheet items(const RunReport& run)
{
    Sheet sheet{"Items",
                {column("Item", ""), column("Description", ""), column("Utility", ""),
                 column("Amount", "the item's usage per hour", amount), column("Amount units", ""),
                 column("Stream", ""), column("Cost per hour", "as the detailed report printed it", money)},
                {}};
    for (const ItemUsage& usage : run.results.items) {
        sheet.rows.push_back({text(usage.item), text(usage.description), text(usage.utility), number(usage.amount),
                              text(usage.amount_units), usage.stream ? text(*usage.stream) : Cell{},
                              number(usage.cost_per_hour)});
    }
    return sheet;
}

Sheet groups(const char* name, const char* what, const std::vector<run_results::GroupCost>& costs)
{
    Sheet sheet{name,
                {column(what, "from the items' lines: these add up to all utilities, not to the total per period"),
                 column("Items", ""), column("Cost per hour", "", money)},
                {}};
    for (const auto& group : costs)
        sheet.rows.push_back({text(group.name.empty() ? "(none)" : group.name), Cell::of_number(group.items),
                              Cell::of_number(group.cost_per_hour)});
    return sheet;
}

Sheet reconciliation(const Project& after, const RunReport& run)
{
    Sheet sheet{"Reconciliation",
                {column("Utility", ""), column("Units", ""), column("Posted", "the summary line's rate", amount),
                 column("Items' lines", "the sum of its items' lines in the detailed report", amount),
                 column("Lines", ""), column("Difference", "", amount), column("Why", "")},
                {}};
    if (run.call != "full") return sheet;  // only a full run prices and records every utility
    const auto& lines = run.results.utilities;
    auto rows = run_results::reconcile(lines, run.results.items, run.journal,
                                       run_results::balanced_utilities(after, run.call, lines));
    if (auto electricity = run_results::reconcile_electricity(after, lines, run.results.items))
        rows.insert(rows.begin(), *electricity);
    for (const auto& row : rows) {
        std::string why;
        for (const auto& [cause, part] : row.causes) why += (why.empty() ? "" : "; ") + cause;
        if (!row.explained) why += std::string(why.empty() ? "" : "; ") + "not explained";
        sheet.rows.push_back({text(row.utility), text(row.units), number(row.posted), Cell::of_number(row.lines),
                              Cell::of_number(row.line_count), Cell::of_number(row.difference),
                              text(why.empty() ? "they agree" : why)});
    }
    return sheet;
}

Sheet findings(const RunReport& run)
{
    Sheet sheet{"Findings",
                {column("Severity", ""), column("Code", "docs/checks.md says what it means and what to do"),
                 column("Object", ""), column("Slot", ""), column("What the run did", ""), column("Hint", ""),
                 column("Amount", "", amount), column("Amount units", ""),
                 column("At stake per hour", "the money at stake, where the host can tell", money)},
                {}};
    for (const checks::Finding& finding : run.findings) {
        sheet.rows.push_back({text(checks::severity_name(finding.severity)), text(finding.code), text(finding.object),
                              text(finding.slot), text(finding.message), text(finding.hint), number(finding.amount),
                              text(finding.amount_units), number(finding.cost_per_hour)});
    }
    return sheet;
}

Sheet warnings(const RunReport& run)
{
    Sheet sheet{"Warnings", {column("Concerns", ""), column("What happened", "")}, {}};
    for (const UnitWarning& warning : run.results.warnings) {
        const auto [what, detail] = run_results::warning_text(warning);
        sheet.rows.push_back({text(warning.source.empty() ? "(not known)" : warning.source),
                              text(detail.empty() ? what : what + ": " + detail)});
    }
    return sheet;
}

}  // namespace

Workbook results_workbook(const Project& after, const RunReport& run)
{
    const auto areas = run_results::cost_by_area_and_group(after, run.results.items);
    Workbook workbook;
    workbook.sheets.push_back(summary(after, run));
    workbook.sheets.push_back(utilities(run));
    workbook.sheets.push_back(items(run));
    workbook.sheets.push_back(groups("Areas", "Area", areas.by_area));
    workbook.sheets.push_back(groups("Report groups", "Report group", areas.by_group));
    workbook.sheets.push_back(reconciliation(after, run));
    workbook.sheets.push_back(findings(run));
    workbook.sheets.push_back(warnings(run));
    return workbook;
}

}  // namespace qxhost::sheets
