// The cost basis of a rate units text, decided by its dimension.
#include "host/unitkit.h"
#include "unitkit/unit_definitions.h"
#include "unitkit/unit_warnings.h"

namespace {

using qxhost::units::Dimension;

constexpr Dimension volume_flow{0, 3, -1, 0};
constexpr Dimension mass_flow{1, 0, -1, 0};
constexpr Dimension energy_flow{1, 2, -3, 0};  // a heat duty or a power

}  // namespace

int unitkit_flow_basis(std::string_view units)
{
    try {
        const qxhost::units::ReadUnit read = qxhost::units::read_unit_text(units);
        if (!read.unit) {
            // Priced in a unit the host does not know: the rate stays 0, and
            // the user is told why rather than finding a silent zero. A text
            // that names no unit at all ("/H") has nothing to report.
            if (!read.culprit.empty())
                qxhost::units::remember_failure(units, "", "no cost basis: unknown unit \"" + read.culprit + "\"");
            return 0;
        }
        const Dimension& dimension = read.unit->dimension;
        if (dimension == volume_flow) return 1;
        if (dimension == mass_flow) return 2;
        if (dimension == energy_flow) return 3;
        return 0;
    } catch (...) {
        return 0;
    }
}
