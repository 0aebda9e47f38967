#include "run_output.h"

#include <nlohmann/json.hpp>

#include "host/listkit.h"
#include "host/textkit.h"
#include "projfile/projfile.h"
#include "results/results.h"
#include "text_table.h"

namespace tovex_cli {

std::string utility_table(const qxhost::results::RunResults& results)
{
    std::vector<TableRow> rows{{"Utility", "Rate", "Rate units", "Cost per hour"}};
    for (const auto& line : results.utilities) {
        rows.push_back({line.name, line.rate_text, line.rate_units,
                        line.cost_per_hour ? money(*line.cost_per_hour) : "-", line.in_total ? "" : "(not in total)"});
    }
    const std::optional<double> total = results.totals.per_period;
    return aligned(rows) + "Total process utility cost per period: " + (total ? money(*total) : "-") + "\n";
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

std::string result_json(int result, const qxhost::Project& project)
{
    warn_of_texts_not_utf8(project);
    const std::vector<UnitWarning>& warnings = unitkit_warnings();
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (const qxhost::CostRow& row : project.cost_rows) {
        nlohmann::ordered_json json = {{"name", row.name}, {"cost_slot", row.cost_slot}, {"value", row.value}};
        if (row.number) json["number"] = *row.number;
        rows.push_back(std::move(json));
    }
    nlohmann::ordered_json warning_list = nlohmann::ordered_json::array();
    for (const UnitWarning& warning : warnings) {
        warning_list.push_back({{"from_units", warning.from_units},
                                {"to_units", warning.to_units},
                                {"source", warning.source},
                                {"message", warning.message}});
    }
    const nlohmann::ordered_json document = {
        {"version", TOVEX_VERSION}, {"result", result}, {"cost_rows", rows}, {"warnings", warning_list}};
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string warning_lines(const std::vector<UnitWarning>& warnings)
{
    std::string text;
    for (const UnitWarning& warning : warnings) {
        // Without units it is a note of the host's; without target units a
        // rate units text that gave no cost basis; else a failed conversion.
        if (warning.from_units.empty() && warning.to_units.empty()) {
            text += "tovex: warning: " + warning.message;
            if (!warning.source.empty()) text += " (in " + warning.source + ")";
            text += "\n";
            continue;
        }
        if (warning.to_units.empty())
            text += "tovex: warning: cannot price in \"" + warning.from_units + "\"";
        else
            text += "tovex: warning: cannot convert \"" + warning.from_units + "\" to \"" + warning.to_units + "\"";
        if (!warning.source.empty()) text += " (in " + warning.source + ")";
        if (!warning.message.empty()) text += ": " + warning.message;
        text += "\n";
    }
    return text;
}

}  // namespace tovex_cli
