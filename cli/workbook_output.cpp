#include "workbook_output.h"

#include "command_error.h"
#include "fileio/atomic_file.h"
#include "sheets/csv_folder.h"
#include "sheets/xlsx_file.h"

namespace tovex_cli {

void write_workbook(const qxhost::sheets::Workbook& workbook, const CommandOptions& options,
                    int status_when_not_written)
{
    try {
        if (!options.xlsx_path.empty()) qxhost::sheets::write_xlsx(workbook, options.xlsx_path);
        if (!options.csv_path.empty()) qxhost::sheets::write_csv_folder(workbook, options.csv_path);
    } catch (const qxhost::sheets::WorkbookError& error) {
        throw CommandError(status_when_not_written, error.what());
    } catch (const qxhost::FileWriteError& error) {
        throw CommandError(status_when_not_written, error.what());
    }
}

}  // namespace tovex_cli
