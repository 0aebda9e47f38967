#include "reports/detailed_report.h"

#include "host/projmodel.h"
#include "reports/detailed_line.h"
#include "reports/report_file.h"

namespace tovex {

int write_detailed_report(CqxProject* project, const std::string& main_file, const std::string& da_file)
{
    if (project == nullptr || !project->IsValid() || main_file.empty()) return 0;

    // The column heading is left open: the electricity detail ends it.
    report_pair files;
    const std::string project_line = compose_project_line(project->ScenarioName());
    if (!files.create_with(main_file, da_file, {detailed_title, project_line, detailed_column_heading})) return 0;

    write_electricity_detail(project, main_file, da_file);
    write_utility_item_detail(project, main_file, da_file);
    return 1;
}

}  // namespace tovex
