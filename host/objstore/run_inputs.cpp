#include <cstdio>

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

// `value` as printf's "%f" writes it, however long that is.
std::string printf_f(double value)
{
    const int length = std::snprintf(nullptr, 0, "%f", value);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%f", value);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

std::optional<std::string> electrical_load_file_text(const Project& project)
{
    if (project.electrical_load_file) return *project.electrical_load_file;
    if (!project.has_electrical_loads) return std::nullopt;

    std::string text = "Object Ref ID:Electrical Load (KW)\n";
    double sum = 0.0;  // [KW]
    for (const ElectricalLoad& load : project.electrical_loads) {
        text += std::to_string(load.ref_id) + ":" + printf_f(load.kw) + "\n";
        sum += load.kw;
    }
    text += "Project Total:" + printf_f(project.total_kw.value_or(sum)) + " KW\n";
    return text;
}

}  // namespace qxhost
