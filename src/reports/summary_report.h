// The summary reports UtilRes.Txt and UtilRes_DA.Txt.
#ifndef TOVEX_REPORTS_SUMMARY_REPORT_H
#define TOVEX_REPORTS_SUMMARY_REPORT_H

#include <cstdint>
#include <optional>
#include <string>

#include "host/listkit.h"

class CqxProject;
class CqxSlot;

namespace tovex {

// Creates both files with the heading, then calls write_summary_body. 1 once
// the heading is written and the body has been called; 0 when it wrote
// nothing or met a file error.
int write_summary_report(CqxProject* project, const std::string& first_file,
                         const std::string& second_file);
// Appends the Electricity and entry lines. 1, or 0 when the configuration is
// not valid or a file error occurred.
int write_summary_body(CqxProject* project, const std::string& first_file,
                       const std::string& second_file);
// Appends the Fuel line (full run only).
void write_summary_fuel_line(CqxProject* project, const std::string& first_file,
                             const std::string& second_file, QX_LIST names, QX_LIST cost_slots,
                             QX_LIST values);
// Fills `slot` with the "Fuel" slot of "Operating Unit Costs" in "OP"; leaves
// it untouched when there is none.
void get_fuel_unit_cost(std::uint32_t instance, CqxSlot& slot);

// The Fuel unit cost as both reports take it: a number (its units, when it
// has any, are the unit cost units), or a list of a value text and a units
// text; a text gives 0 without units. Empty when there is no Fuel unit cost.
struct fuel_unit_cost {
    double value = 0.0;  // [currency per priced unit]
    std::string units;
};
std::optional<fuel_unit_cost> read_fuel_unit_cost(std::uint32_t instance);

}  // namespace tovex

#endif
