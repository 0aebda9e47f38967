// The priced unit of a unit cost units text "currency/unit": the unit in
// which a utility is priced. The summary and the detailed report cut it in
// two different ways, and stored reports rely on both.
#ifndef TOVEX_REPORTS_PRICED_UNIT_H
#define TOVEX_REPORTS_PRICED_UNIT_H

#include <string>
#include <string_view>

namespace tovex {

// Summary report: blanks out the text up to and including its first '/',
// never looking at its last character, then trims blanks at both ends. A
// text without a '/' before its last character keeps only that character
// ("MMBTU" gives "U").
std::string summary_priced_unit(std::string_view cost_units);

// Detailed report: the trimmed text after the first '/' (a blank right after
// the '/' stays), or the whole trimmed text when it has no '/'; empty when
// that is blank.
std::string detail_priced_unit(std::string_view cost_units);

}  // namespace tovex

#endif
