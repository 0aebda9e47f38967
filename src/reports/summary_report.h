// The summary reports UtilRes.Txt and UtilRes_DA.Txt.
#ifndef TOVEX_REPORTS_SUMMARY_REPORT_H
#define TOVEX_REPORTS_SUMMARY_REPORT_H

#include <string>

// The Fuel line that the full run appends to the summary.
#include "reports/summary_fuel_line.h"

class CqxProject;

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
}  // namespace tovex

#endif
