// unitkit: engineering unit conversion and the current unit system.
//
// A unit text is a unit code of the host's table (letter case ignored, blanks
// around it ignored) or a quotient A/B of two codes. Each code has a dimension
// and a factor to SI; a conversion is the ratio of the two factors and fails
// between different dimensions or for an unknown code.
#ifndef HOST_UNITKIT_H
#define HOST_UNITKIT_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/visibility.h"

// *out = *in converted from `from_units` to `to_units` (`in` and `out` may be
// the same variable). Returns 1 on success. On failure *out is left as it was,
// `message` (when not null) receives the reason, and the failure is
// remembered for the host's warnings. `context` and `mode` are passed as ""
// and "b" by the module; they do not change the conversion.
QXHOST_API int units_adjust(std::string_view from_units, std::string_view to_units,
                            const double* in, double* out, std::string* message,
                            std::string_view context, std::string_view mode);

// The host's current unit system: 0 English, 1 metric, any other integer as
// the project gives it.
QXHOST_API int units_get_unit_type();

// Host side only -------------------------------------------------------------

// `value` converted from `from_units` to `to_units` as units_adjust converts
// it, without remembering a failure: for a host that reads a run's figures
// again after the run, whose warnings are already told.
QXHOST_API std::optional<double> units_converted(std::string_view from_units, std::string_view to_units,
                                                 double value);

QXHOST_API void unitkit_set_unit_type(int unit_system);

// Cost basis of a rate units text: 1 volume flow, 2 mass flow, 3 energy flow
// (a heat duty or a power), 0 otherwise.
QXHOST_API int unitkit_flow_basis(std::string_view units);

// A warning of the host: a failed conversion (both units given), a rate
// units text that gave no cost basis (`to_units` empty), or a note of what
// the host assumed or skipped (both units empty, `message` says it all).
struct UnitWarning {
    std::string from_units;
    std::string to_units;
    std::string source;   // the object (and slot) concerned, when known
    std::string message;
};

// Names the object (and slot) whose value the next conversions concern; the
// object store calls it on every read of a number with units.
QXHOST_API void unitkit_note_source(std::string_view source);
// The same text for a reader that fills it in place: one buffer, reused, so
// that noting a source on every read costs no allocation.
QXHOST_API std::string& unitkit_source_text();
// Remembers a note: something the host assumed or skipped at `source`. The
// same note at the same source is remembered once.
QXHOST_API void unitkit_warn(std::string_view source, std::string_view message);
QXHOST_API const std::vector<UnitWarning>& unitkit_warnings();
QXHOST_API void unitkit_clear_warnings();

#endif
