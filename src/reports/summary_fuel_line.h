// The summary's Fuel line, appended by the full run after the summary.
#ifndef TOVEX_REPORTS_SUMMARY_FUEL_LINE_H
#define TOVEX_REPORTS_SUMMARY_FUEL_LINE_H

#include <string>

#include "host/listkit.h"
// The unit cost the line is priced by.
#include "reports/fuel_unit_cost.h"

class CqxProject;

namespace tovex {

// Appends the Fuel line (full run only).
void write_summary_fuel_line(CqxProject* project, const std::string& first_file,
                             const std::string& second_file, QX_LIST names, QX_LIST cost_slots,
                             QX_LIST values);

}  // namespace tovex

#endif
