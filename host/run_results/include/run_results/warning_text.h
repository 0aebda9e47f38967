// The host's warnings in words, one way for the terminal, the page and
// every other place that shows them.
#ifndef QXHOST_RUN_RESULTS_WARNING_TEXT_H
#define QXHOST_RUN_RESULTS_WARNING_TEXT_H

#include <string>

#include "host/unitkit.h"

namespace qxhost::run_results {

// What a warning is, told by the units it carries.
enum class WarningKind {
    host_note,          // no units: something the host assumed, skipped or replaced
    no_cost_basis,      // units with no target: a rate units text that gave no cost basis
    failed_conversion,  // both units: a conversion that could not be made
};
WarningKind kind_of(const UnitWarning& warning);

// What happened, without the place: for a unit warning, what could not be
// done ("cannot convert "A" to "B""), the message its detail; for a note,
// its message, with no detail.
struct WarningText {
    std::string what;
    std::string detail;
};
WarningText warning_text(const UnitWarning& warning);

}  // namespace qxhost::run_results

#endif
