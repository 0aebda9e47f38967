// The command from a parsed command line to its exit status.
#ifndef TOVEX_CLI_RUN_COMMAND_H
#define TOVEX_CLI_RUN_COMMAND_H

#include "command_line.h"

namespace tovex_cli {

// Reads the project, loads the module, runs it in the working directory and
// writes what was asked for. Returns 0 when the entry point returned 1, and
// 1 when it returned 0 (the project or its utility streams configuration is
// not valid). Throws CommandError for every other outcome; with exit status
// 2 nothing has been written.
int run_command(const CommandOptions& options);

}  // namespace tovex_cli

#endif
