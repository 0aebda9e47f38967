#include "convert_command.h"

#include <iostream>

#include "command_error.h"
#include "example_plant.h"
#include "fileio/atomic_file.h"
#include "project_run.h"
#include "session/project_source.h"
#include "projfile/projfile.h"
#include "sheets/project_sheets.h"
#include "workbook_output.h"

namespace tovex_cli {

void write_project_as(const qxhost::Project& project, const CommandOptions& options)
{
    if (!options.xlsx_path.empty() || !options.csv_path.empty())
        return write_workbook(qxhost::sheets::project_workbook(project), options, exit_bad_input);
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
    write_project_as(*qxhost::session::read_project(options.project_path, progress), options);
    return 0;
}

int template_command(const CommandOptions& options)
{
    if (!options.example) {
        write_workbook(qxhost::sheets::template_workbook(), options, exit_bad_input);
        return 0;
    }
    const auto plant = qxhost::parse_project(example_plant_json, "the example plant");
    write_workbook(qxhost::sheets::project_workbook(*plant), options, exit_bad_input);
    return 0;
}

}  // namespace tovex_cli
