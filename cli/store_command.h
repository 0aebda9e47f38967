// The commands on a project store: import a project file, export a project,
// list the runs, write a run's files back out, compare two runs.
#ifndef TOVEX_CLI_STORE_COMMAND_H
#define TOVEX_CLI_STORE_COMMAND_H

#include "command_line.h"

namespace tovex_cli {

// Reads the project file and stores it as the store's new revision; prints
// the revision. Throws CommandError.
int import_command(const CommandOptions& options);
// Writes the store's project in the project file format. Throws
// CommandError.
int export_command(const CommandOptions& options);
// One line per run, or a JSON array with --json. Throws CommandError.
int runs_command(const CommandOptions& options);
// Writes the files a run wrote into --dir, byte for byte. Throws
// CommandError.
int report_command(const CommandOptions& options);
// What changed from run --from to run --to. Throws CommandError.
int diff_command(const CommandOptions& options);

}  // namespace tovex_cli

#endif
