// Texts as the page shows them: every text from the project escaped, so
// that a name such as <script> shows as written and runs nothing, and
// numbers grouped by thousands.
#ifndef TOVEX_HTMLREPORT_HTML_TEXT_H
#define TOVEX_HTMLREPORT_HTML_TEXT_H

#include <optional>
#include <string>
#include <string_view>

namespace tovex_html {

// `text` with &, <, >, " and ' as entities; bytes that are not UTF-8 become
// U+FFFD, so that the page stays valid UTF-8.
std::string escaped(std::string_view text);

// `value` to `decimals` places, thousands separated by commas
// ("-1,776,844.87"); "-" for none, and "n/a" for a number that is not one.
std::string grouped(std::optional<double> value, int decimals);

}  // namespace tovex_html

#endif
