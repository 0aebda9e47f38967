// The detailed report's utility lines: one per utility and usage record.
#ifndef TOVEX_REPORTS_UTILITY_ITEM_DETAIL_H
#define TOVEX_REPORTS_UTILITY_ITEM_DETAIL_H

#include <string>

class CqxProject;

namespace tovex {

// Appends the lines to both files and stores each record's cost per hour.
// 1 after a complete pass; 0 when it stopped early or met a file error.
int write_utility_item_detail(CqxProject* project, const std::string& main_file, const std::string& da_file);

}  // namespace tovex

#endif
