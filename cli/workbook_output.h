// Writing a workbook where the command line says: as an XLSX file (--xlsx),
// as a folder of CSV files (--csv), or both.
#ifndef TOVEX_CLI_WORKBOOK_OUTPUT_H
#define TOVEX_CLI_WORKBOOK_OUTPUT_H

#include "command_line.h"
#include "sheets/workbook.h"

namespace tovex_cli {

// Throws CommandError with `status_when_not_written` and the reason.
void write_workbook(const qxhost::sheets::Workbook& workbook, const CommandOptions& options,
                    int status_when_not_written);

}  // namespace tovex_cli

#endif
