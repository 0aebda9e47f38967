#include "reports/detailed_line.h"

#include "common/text.h"

namespace tovex {

std::string compose_project_line(const std::string& scenario_name)
{
    return format_text("\n\n\"Project:%s\"\n\n", scenario_name.c_str());
}

std::string compose_detailed_line(const detailed_line& line)
{
    // The blanks after the commas ahead of columns 8, 9, 11, 13 and 15 are
    // part of the format that readers of the report expect.
    return format_text(
        "\"%s\",\"%s\",\"%s\",\"%s\",%f,\"%s\",\"%s\", %f, %s,\"%s\", %s,\"%s\", %s,\"%s\",  %s,\"%s\","
        "\"%s\",\"%s\",\"%s\",%s,\"%s\",%s,\"%s\"",
        line.description.c_str(), line.fluid.c_str(), line.item.c_str(), line.item_description.c_str(),
        line.rate, line.units.c_str(), line.rate_units.c_str(), line.cost_per_hour,
        line.operating_pressure.c_str(), line.pressure_units.c_str(), line.operating_temperature.c_str(),
        line.temperature_units.c_str(), line.design_pressure.c_str(), line.pressure_units.c_str(),
        line.design_temperature.c_str(), line.temperature_units.c_str(), line.stream_name.c_str(),
        line.area_id.c_str(), line.report_group_id.c_str(), line.inlet_temperature.c_str(),
        line.temperature_units.c_str(), line.exit_temperature.c_str(), line.temperature_units.c_str());
}

}  // namespace tovex
