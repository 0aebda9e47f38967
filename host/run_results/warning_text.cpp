#include "run_results/warning_text.h"

namespace qxhost::run_results {

WarningKind kind_of(const UnitWarning& warning)
{
    if (warning.from_units.empty() && warning.to_units.empty()) return WarningKind::host_note;
    return warning.to_units.empty() ? WarningKind::no_cost_basis : WarningKind::failed_conversion;
}

WarningText warning_text(const UnitWarning& warning)
{
    switch (kind_of(warning)) {
    case WarningKind::host_note:
        return {warning.message, {}};
    case WarningKind::no_cost_basis:
        return {"cannot price in \"" + warning.from_units + "\"", warning.message};
    case WarningKind::failed_conversion:
        break;
    }
    return {"cannot convert \"" + warning.from_units + "\" to \"" + warning.to_units + "\"", warning.message};
}

}  // namespace qxhost::run_results
