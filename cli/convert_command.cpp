#include "convert_command.h"

#include <iostream>

#include "command_error.h"
#include "fileio/atomic_file.h"
#include "project_run.h"
#include "projfile/projfile.h"
#include "sheets/csv_folder.h"
#include "sheets/project_sheets.h"

namespace tovex_cli {

int convert_command(const CommandOptions& options)
{
    Progress progress;
    const auto project = read_project(options.project_path, progress);
    try {
        if (!options.csv_path.empty()) {
            qxhost::sheets::write_csv_folder(qxhost::sheets::project_workbook(*project), options.csv_path);
        } else if (options.output_path.empty()) {
            std::cout << qxhost::write_project_json(*project);
        } else {
            qxhost::write_file_atomically(options.output_path, [&](const qxhost::PieceWriter& write) {
                qxhost::write_project_json(*project, write);
            });
        }
    } catch (const qxhost::FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
    return 0;
}

}  // namespace tovex_cli
