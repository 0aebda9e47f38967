// units_adjust: a value converted between two unit texts of one dimension.
#include <optional>
#include <string>

#include "host/unitkit.h"
#include "unitkit/unit_definitions.h"
#include "unitkit/unit_warnings.h"

namespace {

using qxhost::units::ReadUnit;
using qxhost::units::TextFault;
using qxhost::units::Unit;

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

std::string fault_message(std::string_view units, const ReadUnit& read)
{
    if (read.fault == TextFault::offset_in_quotient) {
        return "unit " + quoted(read.culprit) + " is on a shifted scale and cannot be part of the quotient " +
               quoted(units);
    }
    if (read.culprit.empty()) return "no unit given";
    if (units.find('/') == std::string_view::npos) return "unknown unit " + quoted(read.culprit);
    return "unknown unit " + quoted(read.culprit) + " in " + quoted(units);
}

// Remembers the failure with its reason (the warning names both units
// itself), hands the caller the whole sentence and fails.
int fail(std::string_view from_units, std::string_view to_units, const std::string& reason,
         std::string* message)
{
    qxhost::units::remember_failure(from_units, to_units, reason);
    if (message != nullptr) {
        *message = "cannot convert from " + quoted(from_units) + " to " + quoted(to_units) + ": " + reason;
    }
    return 0;
}

// The affine map between two units of one dimension:
// out = in * ratio + shift, with both offsets folded into the shift so that a
// unit converted into itself comes back unchanged.
double convert(double in, const Unit& from, const Unit& to)
{
    const double ratio = from.factor / to.factor;
    const double shift = from.offset * ratio - to.offset;
    return in * ratio + shift;
}

}  // namespace

std::optional<double> units_converted(std::string_view from_units, std::string_view to_units, double value)
{
    const ReadUnit from = qxhost::units::read_unit_text(from_units);
    const ReadUnit to = qxhost::units::read_unit_text(to_units);
    if (!from.unit || !to.unit || from.unit->dimension != to.unit->dimension) return std::nullopt;
    return convert(value, *from.unit, *to.unit);
}

int units_adjust(std::string_view from_units, std::string_view to_units, const double* in, double* out,
                 std::string* message, std::string_view /*context*/, std::string_view /*mode*/)
{
    try {
        if (in == nullptr || out == nullptr) return fail(from_units, to_units, "no value given", message);

        const ReadUnit from = qxhost::units::read_unit_text(from_units);
        if (!from.unit) return fail(from_units, to_units, fault_message(from_units, from), message);
        const ReadUnit to = qxhost::units::read_unit_text(to_units);
        if (!to.unit) return fail(from_units, to_units, fault_message(to_units, to), message);

        if (from.unit->dimension != to.unit->dimension) {
            return fail(from_units, to_units,
                        "different dimensions (" + qxhost::units::describe_dimension(from.unit->dimension) +
                            " and " + qxhost::units::describe_dimension(to.unit->dimension) + ")",
                        message);
        }
        *out = convert(*in, *from.unit, *to.unit);
        return 1;
    } catch (...) {
        return 0;  // out of memory while building a message: *out is as it was
    }
}
