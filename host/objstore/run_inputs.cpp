#include <charconv>

#include "model/run_inputs.h"
#include "tovex/results_layout.h"

namespace qxhost {

std::vector<CostRow> default_cost_rows(const Project& project)
{
    std::vector<CostRow> rows;
    const auto add = [&rows](const std::string& name) { rows.push_back(CostRow{name, name, {}, {}}); };
    for (const auto& [name, entry] : project.entries) add(name.str());
    // The stream pass knows these utilities even without an entry.
    for (const char* fixed : {"Fuel", "Instrument Air", "Potable Water"}) {
        if (!project.entries.contains(fixed)) add(fixed);
    }
    add(std::string(tovex::layout::total_cost_slot));
    return rows;
}

namespace {

// `value` as printf's "%f" writes it, however long that is: to_chars with
// six fixed decimals gives the same exactly rounded digits (and "inf",
// "nan") at a fraction of printf's cost, which was most of writing a large
// plant's load file.
void append_printf_f(std::string& text, double value)
{
    char digits[400];  // the longest is 1e308's 309 digits, a point and 6
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6).ptr;
    text.append(digits, end);
}

}  // namespace

std::optional<std::string> electrical_load_file_text(const Project& project)
{
    if (project.electrical_load_file) return *project.electrical_load_file;
    if (!project.has_electrical_loads) return std::nullopt;

    std::string text = "Object Ref ID:Electrical Load (KW)\n";
    double sum = 0.0;  // [KW]
    for (const ElectricalLoad& load : project.electrical_loads) {
        text += std::to_string(load.ref_id);
        text += ':';
        append_printf_f(text, load.kw);
        text += '\n';
        sum += load.kw;
    }
    text += "Project Total:";
    append_printf_f(text, project.total_kw.value_or(sum));
    text += " KW\n";
    return text;
}

}  // namespace qxhost
