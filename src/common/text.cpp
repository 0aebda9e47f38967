#include "common/text.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "host/listkit.h"
#include "host/textkit.h"

namespace tovex {

std::string format_text(const char* format, ...)
{
    // Most texts fit the local buffer and are formatted once; a longer one
    // is formatted again into a string of its exact length.
    char local[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(local, sizeof local, format, args);
    va_end(args);
    std::string text;
    if (length > 0 && static_cast<std::size_t>(length) < sizeof local) {
        text.assign(local, static_cast<std::size_t>(length));
    } else if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, again);
    }
    va_end(again);
    return text;
}

static char lower_ascii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool starts_with_nocase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower_ascii(text[i]) != lower_ascii(prefix[i])) return false;
    return true;
}

bool equals_nocase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && starts_with_nocase(a, b);
}

std::string trim_right(std::string_view text)
{
    CqxString trimmed(text);
    trimmed.TrimRight();
    return trimmed.Str();
}

void blank_through_first_slash(std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const bool slash = text[i] == '/';
        text[i] = ' ';
        if (slash) break;
    }
}

// std::to_chars gives the digits that printf gives for "%f" (both are exact)
// at a fraction of the cost; the texts of infinities and not-a-number are
// left to printf.
void append_fixed6(std::string& text, double value)
{
    if (!std::isfinite(value)) {
        text += format_text("%f", value);
        return;
    }
    char digits[400];  // the largest double has 309 integer digits
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    text.append(digits, result.ptr);
}

// The line feed and the units that end a value text, as "\n%s" writes them:
// up to a NUL.
static void append_units_line(std::string& text, const std::string& units)
{
    text += '\n';
    text.append(units.c_str());
}

std::string fixed6_with_units(double value, const std::string& units)
{
    std::string text;
    text.reserve(24 + units.size());
    append_fixed6(text, value);
    append_units_line(text, units);
    return text;
}

// std::to_chars in the general format with a precision writes what printf
// writes for "%.7g"; the value is then padded to eight characters.
std::string general7_with_units(double value, const std::string& units)
{
    if (!std::isfinite(value)) return format_text("%-8.7g\n%s", value, units.c_str());
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 7);
    std::string text(digits, result.ptr);
    if (text.size() < 8) text.append(8 - text.size(), ' ');
    append_units_line(text, units);
    return text;
}

std::string fixed6(double value)
{
    std::string text;
    append_fixed6(text, value);
    return text;
}

double leading_number(std::string_view text)
{
    double number = 0.0;
    convert_todouble(text, &number);
    return number;
}

}  // namespace tovex
