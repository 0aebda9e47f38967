// Reading the module's text reports back: their lines, and the fields of a
// line, whose texts are printed between fixed separators and unescaped.
#ifndef QXHOST_RUN_RESULTS_REPORT_TEXT_H
#define QXHOST_RUN_RESULTS_REPORT_TEXT_H

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace qxhost::run_results {

// Takes the next line off the front of `text`; false at its end.
inline bool next_line(std::string_view& text, std::string_view& line)
{
    if (text.empty()) return false;
    const std::size_t end = text.find('\n');
    line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return true;
}

// Takes the text up to `end` off the front of `rest` into `field`; false
// when `rest` has no `end`.
inline bool take_field(std::string_view& rest, std::string_view end, std::string_view& field)
{
    const std::size_t at = rest.find(end);
    if (at == std::string_view::npos) return false;
    field = rest.substr(0, at);
    rest.remove_prefix(at + end.size());
    return true;
}

// A number printed with "%f"; none when the text does not begin with one.
inline std::optional<double> printed_number(std::string_view text)
{
    const std::string copy(text);
    char* end = nullptr;
    const double number = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str()) return std::nullopt;
    return number;
}

}  // namespace qxhost::run_results

#endif
