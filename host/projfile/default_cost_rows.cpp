#include "projfile/projfile.h"

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
    add("Total Process Utility Cost Per Period");
    return rows;
}

}  // namespace qxhost
