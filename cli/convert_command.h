// tovex convert and tovex template: a project from one form into another,
// and a workbook to fill in.
#ifndef TOVEX_CLI_CONVERT_COMMAND_H
#define TOVEX_CLI_CONVERT_COMMAND_H

#include "command_line.h"
#include "model/project.h"

namespace tovex_cli {

// Writes `project` where the options say: a workbook (--xlsx), CSV sheets
// (--csv), a project file (-o) or standard output. Throws CommandError.
void write_project_as(const qxhost::Project& project, const CommandOptions& options);

// Reads the project (a project file, a store's project as it stands, a
// workbook or a folder of CSV sheets) and writes it with
// write_project_as(); nothing is written when it cannot be read.
int convert_command(const CommandOptions& options);

// Writes a workbook (or CSV sheets) to fill in, or with --example the
// example plant.
int template_command(const CommandOptions& options);

}  // namespace tovex_cli

#endif
