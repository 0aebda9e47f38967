// Small text helpers shared by the module's subsystems.
#ifndef TOVEX_COMMON_TEXT_H
#define TOVEX_COMMON_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace tovex {

// printf-style formatting into a string of whatever length the text needs.
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when the first prefix.size() characters of `text` equal `prefix`,
// letter case ignored (ASCII). A shorter text never matches.
bool starts_with_nocase(std::string_view text, std::string_view prefix);
bool equals_nocase(std::string_view a, std::string_view b);

// Removes trailing blanks as the host's CqxString::TrimRight does.
std::string trim_right(std::string_view text);

// Blanks a "currency/unit" text up to and including its first '/'. The walk
// never looks at the last character, so a text without a '/' before it keeps
// only that character. The caller trims what is left.
void blank_through_first_slash(std::string& text);

// "%f" of a value (six decimals).
std::string fixed6(double value);
void append_fixed6(std::string& text, double value);
// The longest "%f" text: the largest double has 309 integer digits.
inline constexpr std::size_t max_fixed6_length = 320;
// Writes "%f" of the value at `at`, which has room for max_fixed6_length
// characters; returns the end of what was written.
char* write_fixed6(char* at, double value);
// "%f\n%s" and "%-8.7g\n%s" of a value and its units, without printf.
std::string fixed6_with_units(double value, const std::string& units);
std::string general7_with_units(double value, const std::string& units);

// The leading number of a text as strtod reads it: blanks skipped, the
// number ends at the first character that cannot continue it; 0 when there
// is none.
double leading_number(std::string_view text);

// A value text's amount and units: its first line and its second, as the
// host's list_pop_first takes them off (further lines are dropped; a text
// without a line feed is all amount).
struct value_text_parts {
    std::string amount;
    std::string units;
};
value_text_parts split_value_text(std::string text);

// "%s" of a C text that may be null.
inline std::string_view text_or_empty(const char* text) { return text ? text : ""; }

}  // namespace tovex

#endif
