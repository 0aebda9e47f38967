// Findings: the places where a run drops an amount, takes it as 0, or prices
// it in other units than the project wrote. The module is silent there by
// design; the host says what happened, to what, and what is at stake.
#ifndef QXHOST_CHECKS_FINDINGS_H
#define QXHOST_CHECKS_FINDINGS_H

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/unitkit.h"
#include "model/project.h"

namespace qxhost::run_results {
struct RunResults;
}

namespace qxhost::checks {

enum class Severity {
    error,    // a figure is wrong or missing
    warning,  // the run made an assumption
    note,     // a rule applied that a user may not expect
};
std::string_view severity_name(Severity severity);

struct Finding {
    std::string code;  // stable: docs/checks.md lists every one
    Severity severity = Severity::note;
    std::string object;  // an object, an entry, or "DATABASE / object"
    std::string slot;    // may be empty
    std::string message; // what the run does with it
    std::string hint;    // what to do, may be empty
    std::optional<double> amount;  // the amount concerned, in amount_units
    std::string amount_units;
    std::optional<double> cost_per_hour;  // the money at stake per hour
};

// Which run the findings are for: each applies its own rules.
struct RunKind {
    enum class Call { full, reduced, pass };
    Call call = Call::full;
    int pass_class = 0;  // pass
    bool records = true; // full run, or a pass that records
};

// What the rules make of the project as it stands before a run.
std::vector<Finding> check_project(const Project& project, const RunKind& kind);

// Adds what the run itself told: the host's warnings (a conversion that
// failed, a density that could not be found, an assumption), each as a
// finding that says what was then done with the value, and the cost per
// hour at stake where the run's figures tell it. Keeps the findings in
// order: errors, then warnings, then notes, each in the order found.
void add_run_findings(std::vector<Finding>& findings, const Project& project, const run_results::RunResults& results);

// How many findings of each severity, in the order of Severity.
std::array<std::size_t, 3> count_by_severity(const std::vector<Finding>& findings);
bool has_error(const std::vector<Finding>& findings);

// One line: "error utility-unknown: CW-101 / DESCRIPTION: ... (did you mean ...)".
std::string finding_line(const Finding& finding);

}  // namespace qxhost::checks

#endif
