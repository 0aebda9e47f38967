// A project as a workbook and back: the sheets a cost engineer keeps (the
// project, its utilities, areas, items and streams, each slot that has no
// column of its own in "Slots"), written so that reading them back gives
// the same project.
#ifndef QXHOST_SHEETS_PROJECT_SHEETS_H
#define QXHOST_SHEETS_PROJECT_SHEETS_H

#include <memory>
#include <string>
#include <vector>

#include "model/project.h"
#include "sheets/workbook.h"

namespace qxhost::sheets {

// Every sheet, with its header notes and drop-down lists; the plainer
// sheets hold what the convenient ones cannot hold in order.
Workbook project_workbook(const Project& project);

// The sheets and their columns, without rows.
Workbook empty_workbook();

// The names of those sheets, in their order: what a reader asks a file for.
std::vector<std::string> project_sheet_names();

// A workbook to fill in: the sheets, and the Project sheet's fields with
// the values most plants take (instance 1, English units, a valid utility
// streams configuration, 8000 operating hours).
Workbook template_workbook();

// The project the workbook holds, as the project file reader would read it
// (every check of the file's format applies). Throws WorkbookError naming
// `label` and the cell ("plant.xlsx: Streams!D14: ..."), or the project
// file reader's ProjectFileError for what only the whole project shows.
std::unique_ptr<Project> project_from_workbook(const Workbook& workbook, const std::string& label);

}  // namespace qxhost::sheets

#endif
