#include "common/text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

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

namespace {

// The digits of an unsigned integer at `end`, written backwards; returns
// where they begin.
char* write_digits_backwards(char* end, std::uint64_t value)
{
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

// "%f" of a finite value below 2^64 in magnitude, made exactly with integer
// arithmetic: the value is m / 2^s, and m * 10^6 / 2^s rounded to the nearest
// integer (a tie to even, as printf rounds the exact value) gives the six
// decimals. Null for a value too large, which to_chars prints.
char* write_fixed6_exactly(char* at, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int shift = 1074;  // a subnormal value: m / 2^1074
    if (biased_exponent != 0) {
        mantissa |= std::uint64_t{1} << 52;
        shift = 1075 - biased_exponent;
    }
    if (shift < -11) return nullptr;  // m * 2^-s would pass 2^64
    constexpr std::uint64_t million = 1000000;

    unsigned __int128 millionths = 0;  // value * 10^6, rounded
    if (shift <= 0) {
        millionths = (static_cast<unsigned __int128>(mantissa) << -shift) * million;
    } else if (shift < 74) {
        // m * 10^6 < 2^73, so the scaled value and its remainder fit.
        const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * million;
        millionths = scaled >> shift;
        const unsigned __int128 rest = scaled - (millionths << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (millionths & 1) != 0)) ++millionths;
    }
    // else: below half a millionth, it rounds to 0.

    // Most values are small enough for 64-bit division.
    std::uint64_t whole = 0;
    std::uint64_t decimals = 0;
    if (millionths >> 64 == 0) {
        const auto small = static_cast<std::uint64_t>(millionths);
        whole = small / million;
        decimals = small % million;
    } else {
        whole = static_cast<std::uint64_t>(millionths / million);
        decimals = static_cast<std::uint64_t>(millionths % million);
    }
    char digits[32];
    char* const end = digits + sizeof digits;
    char* begin = end;
    for (int i = 0; i < 6; ++i) {
        *--begin = static_cast<char>('0' + decimals % 10);
        decimals /= 10;
    }
    *--begin = '.';
    begin = write_digits_backwards(begin, whole);
    if (bits >> 63 != 0) *--begin = '-';
    const auto length = static_cast<std::size_t>(end - begin);
    std::memcpy(at, begin, length);
    return at + length;
}

}  // namespace

// The digits that printf gives for "%f" (exact, rounded to six decimals)
// without printf's cost; the texts of infinities and not-a-number are left
// to printf, and values of 2^64 and more to std::to_chars, which is exact
// too.
char* write_fixed6(char* at, double value)
{
    if (!std::isfinite(value)) {
        const std::string text = format_text("%f", value);
        std::memcpy(at, text.data(), text.size());
        return at + text.size();
    }
    if (char* end = write_fixed6_exactly(at, value)) return end;
    return std::to_chars(at, at + max_fixed6_length, value, std::chars_format::fixed, 6).ptr;
}

void append_fixed6(std::string& text, double value)
{
    char digits[max_fixed6_length];
    text.append(digits, write_fixed6(digits, value));
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

value_text_parts split_value_text(std::string text)
{
    value_text_parts parts;
    list_pop_first(text, parts.amount);
    list_pop_first(text, parts.units);
    return parts;
}

}  // namespace tovex
