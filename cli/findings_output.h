// The findings as the command shows them: lines for a person, JSON for a
// program.
#ifndef TOVEX_CLI_FINDINGS_OUTPUT_H
#define TOVEX_CLI_FINDINGS_OUTPUT_H

#include <string>
#include <vector>

#include "checks/findings.h"
#include "json/json_writer.h"

namespace tovex_cli {

// "1 error, 2 warnings, 3 notes".
std::string findings_count(const std::vector<qxhost::checks::Finding>& findings);

// After a run, on standard error: "tovex: checks: COUNT", then a line per
// error and warning (and note, with `notes`), each after "tovex: ".
std::string finding_lines(const std::vector<qxhost::checks::Finding>& findings, bool notes);

// The findings as a JSON array of objects: code, severity, object, slot,
// message, hint, amount, amount_units, cost_per_hour (null when unknown).
void write_findings(qxhost::JsonWriter& json, const std::vector<qxhost::checks::Finding>& findings);

}  // namespace tovex_cli

#endif
