#include "reports/summary_line.h"

#include "common/text.h"
#include "host/objstore.h"

namespace tovex {

std::string compose_summary_line(const summary_line& line)
{
    return format_text("\"%s\",\"%s\",%f,\"%s\",\"%s\",\"%f\",%s\n", line.description.c_str(),
                       line.fluid.c_str(), line.rate, line.units.c_str(), line.rate_units.c_str(),
                       line.cost_per_hour, line.cost_units.c_str());
}

std::string compose_electricity_summary_line(double total_load_kw, double cost_per_hour,
                                             const std::string& cost_units)
{
    return format_text("\"%s\",\"\",%f,\"%s\",\"%s\",\"%f\",%s\n", "Electricity", total_load_kw, "KW",
                       "KW", cost_per_hour, cost_units.c_str());
}

std::string read_cost_units(std::uint32_t instance)
{
    std::string currency;
    CqxODB standard_basis(instance, "STD", 0);
    standard_basis.GetValue("Standard Basis Input File", "Currency Symbol", currency, 0);
    return currency + "/H";
}

}  // namespace tovex
