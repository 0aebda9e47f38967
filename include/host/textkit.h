// textkit: text and number utilities of the host.
#ifndef HOST_TEXTKIT_H
#define HOST_TEXTKIT_H

#include <string>
#include <string_view>

#include "host/visibility.h"

// The leading number of `text` (blanks skipped, then the longest prefix that
// reads as a floating-point number) into `value`. Returns 1 when a number was
// found; otherwise 0 and `value` is set to 0.
QXHOST_API int convert_todouble(std::string_view text, double* value);

// The host's two sets of blanks. Trimming a text (CqxString's trims, the
// units line of a value text read as a number) removes spaces, tabs, carriage
// returns and line feeds; removing initial and trailing blanks removes spaces
// and tabs only, so that the line feed inside a value text survives.
inline constexpr std::string_view trimmed_blanks = " \t\r\n";
inline constexpr std::string_view edge_blanks = " \t";

// Removes spaces and tabs at both ends of `text`, in place.
QXHOST_API void text_remove_initial_and_trailing_blanks(std::string& text);

// Writes `value` into `text` as the shortest text that reads back as the same
// double ("0", "120000", "99.9", "1e+16", "-0", "inf", "nan").
QXHOST_API void compiler_float_to_string(double value, std::string& text);

#endif
