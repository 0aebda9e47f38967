// What the command prints after a run: the utility table or the JSON result
// on standard output, the warnings on standard error.
#ifndef TOVEX_CLI_RUN_OUTPUT_H
#define TOVEX_CLI_RUN_OUTPUT_H

#include <string>
#include <string_view>
#include <vector>

#include "host/unitkit.h"
#include "model/project.h"
#include "checks/findings.h"
#include "run_results/run_results.h"

namespace tovex_cli {

// The run's utility lines: name, rate, rate units and cost per hour ("-"
// when the run gave none), marked "(not in total)" when its cost is not
// part of the total per period; then the line "Total process utility cost
// per period: TOTAL", and the line of all utilities' cost, electricity and
// fuel included, per hour and per period.
std::string utility_table(const qxhost::run_results::RunResults& results);

// {"version": V, "result": R, "cost_rows": [...], "warnings": [...],
// "findings": [...]}, ended by a line feed;
// the rows in the project file's row form, each of the host's warnings as
// {"from_units", "to_units", "source", "message"}. A text that is not valid
// UTF-8 is written with U+FFFD for its bad bytes, and a warning says where.
std::string result_json(int result, const qxhost::Project& project,
                        const std::vector<qxhost::checks::Finding>& findings);

// One line per warning: "tovex: warning: cannot convert "FROM" to "TO"
// (in SOURCE): MESSAGE", the part in brackets only when the source is known.
std::string warning_lines(const std::vector<UnitWarning>& warnings);

}  // namespace tovex_cli

#endif
