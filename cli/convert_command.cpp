#include "convert_command.h"

#include <iostream>

#include "command_error.h"
#include "example_plant.h"
#include "fileio/atomic_file.h"
#include "project_run.h"
#include "projfile/projfile.h"
#include "sheets/csv_folder.h"
#include "sheets/project_sheets.h"
#include "sheets/xlsx_file.h"

namespace tovex_cli {

namespace {

void write_workbook(const qxhost::sheets::Workbook& workbook, const CommandOptions& options)
{
    try {
        if (!options.xlsx_path.empty()) qxhost::sheets::write_xlsx(workbook, options.xlsx_path);
        else qxhost::sheets::write_csv_folder(workbook, options.csv_path);
    } catch (const qxhost::sheets::WorkbookError& error) {
        throw CommandError(exit_bad_input, error.what());
    } catch (const qxhost::FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

}  // namespace

void write_project_as(const qxhost::Project& project, const CommandOptions& options)
{
    if (!options.xlsx_path.empty() || !options.csv_path.empty())
        return write_workbook(qxhost::sheets::project_workbook(project), options);
    // Standard output gets the text whole or nothing; a file is written a
    // piece at a time, and is renamed into place only when complete.
    if (options.output_path.empty()) {
        std::cout << qxhost::write_project_json(project);
        return;
    }
    try {
        qxhost::write_file_atomically(options.output_path, [&](const qxhost::PieceWriter& write) {
            qxhost::write_project_json(project, write);
        });
    } catch (const qxhost::FileWriteError& error) {
        throw CommandError(exit_bad_input, error.what());
    }
}

int convert_command(const CommandOptions& options)
{
    Progress progress;
    write_project_as(*read_project(options.project_path, progress), options);
    return 0;
}

int template_command(const CommandOptions& options)
{
    if (!options.example) {
        write_workbook(qxhost::sheets::template_workbook(), options);
        return 0;
    }
    const auto plant = qxhost::parse_project(example_plant_json, "the example plant");
    write_workbook(qxhost::sheets::project_workbook(*plant), options);
    return 0;
}

}  // namespace tovex_cli
