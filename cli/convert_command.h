// tovex convert: a project from one form into another.
#ifndef TOVEX_CLI_CONVERT_COMMAND_H
#define TOVEX_CLI_CONVERT_COMMAND_H

#include "command_line.h"

namespace tovex_cli {

// Reads the project (a project file, a store's project as it stands, or a
// folder of CSV sheets) and writes it as a project file (-o, or standard
// output) or as CSV sheets (--csv); nothing is written when it cannot be
// read.
int convert_command(const CommandOptions& options);

}  // namespace tovex_cli

#endif
