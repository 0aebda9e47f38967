// tovex check: the findings of a project, without writing anything.
#ifndef TOVEX_CLI_CHECK_COMMAND_H
#define TOVEX_CLI_CHECK_COMMAND_H

#include "command_line.h"

namespace tovex_cli {

// Exit status when a check finds an error: `check`, and `run --strict`.
inline constexpr int exit_error_found = 4;

// Lists the findings of a full run of the project file or store on standard
// output, one per line and then their count, or as JSON; the run is made
// in a scratch folder that is removed after. Returns 0, or 4 when one of
// them is an error.
int check_command(const CommandOptions& options);

}  // namespace tovex_cli

#endif
