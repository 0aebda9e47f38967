// The summary's Fuel line: the rate the passes posted for Fuel, priced by
// the Fuel unit cost.
#include "reports/summary_fuel_line.h"

#include <cstdlib>

#include "common/text.h"
#include "host/objstore.h"
#include "host/projmodel.h"
#include "host/textkit.h"
#include "reports/fuel_unit_cost.h"
#include "reports/priced_unit.h"
#include "reports/report_file.h"
#include "reports/summary_line.h"

namespace tovex {

namespace {

struct fuel_amount {
    double amount = 0.0;
    std::string units;
};

// A value text "amount\nunits" (any text whose leading number is the amount):
// the amount, and what follows it without blanks and the separating line
// feed.
fuel_amount split_fuel_amount(const char* value_text)
{
    fuel_amount fuel;
    char* end = nullptr;
    fuel.amount = std::strtod(value_text, &end);
    fuel.units = end;
    text_remove_initial_and_trailing_blanks(fuel.units);
    if (fuel.units.starts_with('\n')) fuel.units.erase(0, 1);
    text_remove_initial_and_trailing_blanks(fuel.units);
    return fuel;
}

}  // namespace

void write_summary_fuel_line(CqxProject* project, const std::string& first_file, const std::string& second_file,
                             QX_LIST names, QX_LIST /*cost_slots*/, QX_LIST values)
{
    if (project == nullptr) return;
    const int position = list2_get_item_location(names, "Fuel");
    if (position < 0) return;
    const std::uint32_t instance = project->UserInstance();

    summary_line line;
    line.description = "Fuel";
    line.cost_units = read_cost_units(instance);

    report_pair files;
    if (!files.open(first_file, second_file, open_mode::append)) return;

    const std::optional<fuel_unit_cost> unit_cost = read_fuel_unit_cost(instance);
    if (!unit_cost) {
        files.close();
        return;
    }

    const char* value_text = list2_get_item(values, position, nullptr);
    if (value_text == nullptr) {
        files.close();
        return;
    }
    const fuel_amount fuel = split_fuel_amount(value_text);
    line.rate = fuel.amount;
    line.rate_units = fuel.units;
    line.units = summary_priced_unit(unit_cost->units);
    line.cost_per_hour = fuel.amount * unit_cost->value;

    if (unit_cost->value != 0.0 && fuel.amount != 0.0 && !files.write_both(compose_summary_line(line))) return;
    files.close();
}

}  // namespace tovex
