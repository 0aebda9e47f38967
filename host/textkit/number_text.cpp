// Numbers read from and written to text.
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>

#include "host/textkit.h"

namespace {

bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number read as strtod reads it, without its cost: the
// text is not copied and no multiple-precision reading is made. from_chars
// takes strtod's decimal form the same way and rounds it to the same double.
// The forms it does not take (a plus sign, hexadecimal, infinity and NaN) and
// a value out of range are left to strtod: empty then.
std::optional<double> read_plain_decimal(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && is_blank(text[at])) ++at;
    std::size_t digits = at;
    if (digits < text.size() && text[digits] == '-') ++digits;
    if (digits < text.size() && text[digits] == '.') ++digits;
    if (digits == text.size() || !is_digit(text[digits])) return std::nullopt;
    if (text[digits] == '0' && digits + 1 < text.size() && (text[digits + 1] == 'x' || text[digits + 1] == 'X'))
        return std::nullopt;
    double read = 0.0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), read);
    if (result.ec != std::errc()) return std::nullopt;
    return read;
}

}  // namespace

int convert_todouble(std::string_view text, double* value)
{
    if (const std::optional<double> read = read_plain_decimal(text)) {
        if (value != nullptr) *value = *read;
        return 1;
    }
    // strtod needs a terminated text; the copy also keeps a view's end.
    const std::string terminated(text);
    char* end = nullptr;
    const double read = std::strtod(terminated.c_str(), &end);
    const bool found = end != terminated.c_str();
    if (value != nullptr) *value = found ? read : 0.0;
    return found ? 1 : 0;
}

void compiler_float_to_string(double value, std::string& text)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.assign(buffer, result.ptr);
}
