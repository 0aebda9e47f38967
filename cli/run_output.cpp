#include "run_output.h"

#include "host/listkit.h"
#include "host/textkit.h"
#include "json/json_writer.h"
#include "projfile/projfile.h"
#include "run_results/run_results.h"
#include "findings_output.h"
#include "run_results/warning_text.h"
#include "text_table.h"

namespace tovex_cli {

std::string utility_table(const qxhost::run_results::RunResults& results)
{
    std::vector<TableRow> rows{{"Utility", "Rate", "Rate units", "Cost per hour"}};
    for (const auto& line : results.utilities) {
        rows.push_back({line.name, line.rate_text, line.rate_units,
                        line.cost_per_hour ? money(*line.cost_per_hour) : "-", line.in_total ? "" : "(not in total)"});
    }
    const auto shown = [](const std::optional<double>& figure) { return figure ? money(*figure) : std::string("-"); };
    const auto& totals = results.totals;
    return aligned(rows) + "Total process utility cost per period: " + shown(totals.per_period) + "\n" +
           "All utilities, electricity and fuel included: " + shown(totals.all_per_hour) + " per hour, " +
           shown(totals.all_per_period) + " per period\n";
}

namespace {

// Adds the warnings for the texts that standard output cannot carry as they
// are, before the warnings are written: a warning's own texts may be among
// them.
void warn_of_texts_not_utf8(const qxhost::Project& project)
{
    constexpr std::string_view output = "standard output";
    for (const qxhost::CostRow& row : project.cost_rows) qxhost::warn_unless_utf8(row, output);
    const std::size_t count = unitkit_warnings().size();
    for (std::size_t k = 0; k < count; ++k) {
        const UnitWarning warning = unitkit_warnings()[k];
        const std::string place = "warnings / " + std::to_string(k);
        for (const std::string* text : {&warning.from_units, &warning.to_units, &warning.source, &warning.message})
            qxhost::warn_unless_utf8(*text, place, output);
    }
}

}  // namespace

std::string result_json(int result, const qxhost::Project& project,
                        const std::vector<qxhost::checks::Finding>& findings)
{
    warn_of_texts_not_utf8(project);
    std::string text;
    qxhost::JsonWriter json(text, qxhost::JsonLayout::member_per_line);
    json.begin_object();
    json.key("version").string(TOVEX_VERSION);
    json.key("result").integer(result);
    json.key("cost_rows").begin_array();
    for (const qxhost::CostRow& row : project.cost_rows) {
        json.begin_object();
        json.key("name").string(row.name);
        json.key("cost_slot").string(row.cost_slot);
        json.key("value").string(row.value);
        if (row.number) json.key("number").unsigned_integer(*row.number);
        json.end();
    }
    json.end();
    json.key("warnings").begin_array();
    for (const UnitWarning& warning : unitkit_warnings()) {
        json.begin_object();
        json.key("from_units").string(warning.from_units);
        json.key("to_units").string(warning.to_units);
        json.key("source").string(warning.source);
        json.key("message").string(warning.message);
        json.end();
    }
    json.end();
    json.key("findings");
    write_findings(json, findings);
    json.end();
    return text + "\n";
}

std::string warning_lines(const std::vector<UnitWarning>& warnings)
{
    std::string text;
    for (const UnitWarning& warning : warnings) {
        const auto [what, detail] = qxhost::run_results::warning_text(warning);
        text += "tovex: warning: " + what;
        if (!warning.source.empty()) text += " (in " + warning.source + ")";
        if (!detail.empty()) text += ": " + detail;
        text += "\n";
    }
    return text;
}

}  // namespace tovex_cli
