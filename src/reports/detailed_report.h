// The detailed reports UtilRes2.Txt and UtilRes2_DA.Txt.
#ifndef TOVEX_REPORTS_DETAILED_REPORT_H
#define TOVEX_REPORTS_DETAILED_REPORT_H

#include <string>

// The two writers it calls in turn.
#include "reports/electricity_detail.h"
#include "reports/utility_item_detail.h"

class CqxProject;

namespace tovex {

// Creates both files with the heading, then appends the electricity detail
// and the utility item detail. 1 when the heading was written and both
// writers ran; 0 when it returned early or met a file error.
int write_detailed_report(CqxProject* project, const std::string& main_file, const std::string& da_file);

}  // namespace tovex

#endif
