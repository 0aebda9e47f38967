#include "reports/summary_report.h"

#include "common/host_ptr.h"
#include "common/text.h"
#include "host/projmodel.h"
#include "reports/cooling_water.h"
#include "reports/load_file.h"
#include "reports/priced_unit.h"
#include "reports/report_file.h"
#include "reports/summary_line.h"
#include "tovex/results_layout.h"

namespace tovex {

namespace {

// The electricity price [currency/KWH]: the leading number of the first line
// of the "Electricity" operating unit cost read as text; 0 when there is none.
double read_electricity_price(std::uint32_t instance)
{
    std::string price_text;
    CqxODB operating_costs(instance, "OP", 0);
    operating_costs.GetValue("Operating Unit Costs", "Electricity", price_text, 0);
    std::string first_line;
    list_pop_first(price_text, first_line);
    return leading_number(first_line);
}

// The entry's line as the first file shows it. Slots the entry lacks leave
// their fields empty or 0.
summary_line read_entry_line(CqxProjectConfig& entry, const char* name, const std::string& cost_units)
{
    summary_line line;
    line.description = name;
    entry.GetValue("Fluid", line.fluid);
    entry.GetValue(layout::rate_per_hour_slot, line.rate, line.rate_units);
    std::string unused_units;
    entry.GetValue(layout::entry_cost_per_hour_slot, line.cost_per_hour, unused_units);
    std::string unit_cost_units;
    entry.GetValue("Unit Cost Units", unit_cost_units);
    line.units = summary_priced_unit(unit_cost_units);
    line.cost_units = cost_units;
    return line;
}

// Turns the first file's line of an entry into the second file's.
void show_cooling_water_view(CqxProjectConfig& entry, summary_line& line)
{
    water_facts facts;
    facts.fluid = line.fluid;
    std::string unused_units;
    entry.GetValue("Inlet temperature", facts.inlet_temperature, unused_units);
    entry.GetValue("Exit temperature", facts.exit_temperature, unused_units);
    std::string energy_units;
    entry.GetValue("Energy transfer per unit mass", facts.energy_per_mass, energy_units);
    if (energy_units.empty()) entry.GetValue("Energy units", energy_units);
    facts.energy_units = energy_units;
    show_cooling_water_view(facts, {line.description, line.rate, line.units, line.rate_units});
}

// One line per entry with a rate and a cost, in the configuration's order.
// False on a file error.
bool write_entry_lines(CqxProjectStreamsConfig& config, report_pair& files, const std::string& cost_units)
{
    CStrList names;
    config.GetEntries(names, nullptr, nullptr);
    for (int i = 0; i < names.GetLength(); ++i) {
        const char* name = names.GetTextAt(i, nullptr);
        if (name == nullptr) continue;
        const auto entry = adopt(config.InstantiateEntry(name));
        if (!entry || !entry->IsValid()) continue;

        summary_line line = read_entry_line(*entry, name, cost_units);
        // Equality tests: a negative rate or cost is reported like any other.
        if (line.cost_per_hour == 0.0 || line.rate == 0.0) continue;
        if (!files.write_first(compose_summary_line(line))) return false;
        show_cooling_water_view(*entry, line);
        if (!files.write_second(compose_summary_line(line))) return false;
    }
    return true;
}

}  // namespace

int write_summary_report(CqxProject* project, const std::string& first_file, const std::string& second_file)
{
    if (project == nullptr || !project->IsValid() || first_file.empty() || second_file.empty()) return 0;

    report_pair files;
    if (!files.create_with(first_file, second_file, {summary_title, summary_column_heading})) return 0;

    write_summary_body(project, first_file, second_file);
    return 1;
}

int write_summary_body(CqxProject* project, const std::string& first_file, const std::string& second_file)
{
    if (project == nullptr) return 0;
    report_pair files;
    if (!files.open_after_heading(first_file, second_file)) return 0;

    const std::uint32_t instance = project->UserInstance();
    const std::string cost_units = read_cost_units(instance);
    const double total_load = read_project_total_load();  // [KW]
    if (total_load > 0.0) {
        const double price = read_electricity_price(instance);  // [currency/KWH]
        if (!files.write_both(compose_electricity_summary_line(total_load, price * total_load, cost_units)))
            return 0;
    }

    CqxProjectStreamsConfig config(project, 2005, 0);
    const int result = config.IsValid() ? 1 : 0;
    if (result == 1 && !write_entry_lines(config, files, cost_units)) return 0;
    if (!files.close()) return 0;
    return result;
}

}  // namespace tovex
