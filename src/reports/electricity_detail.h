// The detailed report's electricity lines: one per item with an electrical
// load, each recorded in the item's usage record.
#ifndef TOVEX_REPORTS_ELECTRICITY_DETAIL_H
#define TOVEX_REPORTS_ELECTRICITY_DETAIL_H

#include <string>

class CqxProject;

namespace tovex {

// Appends the lines to both files. 1 after a complete pass; 0 when it
// stopped early or met a file error.
int write_electricity_detail(CqxProject* project, const std::string& main_file, const std::string& da_file);

}  // namespace tovex

#endif
