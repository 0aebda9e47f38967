// The host's unit codes and unit texts, as unitkit reads them.
//
// A unit is a dimension (exponents of mass, length, time and temperature)
// with an affine map to SI: value [SI] = (value [unit] + offset) * factor.
// Only temperatures on a shifted scale and gauge pressures have an offset.
#ifndef QXHOST_UNIT_DEFINITIONS_H
#define QXHOST_UNIT_DEFINITIONS_H

#include <optional>
#include <string>
#include <string_view>

namespace qxhost::units {

struct Dimension {
    int mass = 0;
    int length = 0;
    int time = 0;
    int temperature = 0;

    friend constexpr bool operator==(const Dimension&, const Dimension&) = default;
};

constexpr Dimension operator/(const Dimension& a, const Dimension& b)
{
    return {a.mass - b.mass, a.length - b.length, a.time - b.time, a.temperature - b.temperature};
}

struct Unit {
    Dimension dimension;
    double factor = 1.0;  // SI per unit, applied after the offset
    double offset = 0.0;  // added to a value in this unit before the factor
};

// The unit of one code of the table; `code` must be upper case with single
// blanks inside ("DEG F"). Empty for a code the table does not hold.
std::optional<Unit> find_unit_code(std::string_view code);

// Why a unit text could not be read.
enum class TextFault { none, unknown_code, offset_in_quotient };

struct ReadUnit {
    std::optional<Unit> unit;
    TextFault fault = TextFault::none;
    std::string culprit;  // the code at fault, as normalised
};

// Reads a unit text: a code, or a quotient A/B of two codes; letter case and
// blanks around the codes do not matter.
ReadUnit read_unit_text(std::string_view text);

// The dimension in SI base units, e.g. "kg m^-3" ("1" when dimensionless).
std::string describe_dimension(const Dimension& dimension);

}  // namespace qxhost::units

#endif
