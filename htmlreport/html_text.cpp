#include "htmlreport/html_text.h"

#include <cmath>
#include <cstdio>

namespace tovex_html {

namespace {

// The length of the UTF-8 sequence at the start of `text`, 0 when it is not
// one (overlong forms, surrogates and values past U+10FFFF included).
std::size_t utf8_sequence(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t size = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) size = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) size = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) size = 4;
    else return 0;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    if (text.size() < size || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < size; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return size;
}

}  // namespace

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t size = utf8_sequence(text);
        if (size == 0) {
            out += "\xEF\xBF\xBD";
            text.remove_prefix(1);
            continue;
        }
        switch (text[0]) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out.append(text.substr(0, size));
        }
        text.remove_prefix(size);
    }
    return out;
}

std::string grouped(std::optional<double> value, int decimals)
{
    if (!value) return "-";
    if (!std::isfinite(*value)) return "n/a";
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, std::fabs(*value));
    const std::string text = digits;
    const std::size_t point = text.find('.');
    const std::size_t whole = point == std::string::npos ? text.size() : point;
    std::string out;
    for (std::size_t i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0) out += ',';
        out += text[i];
    }
    out += text.substr(whole);
    // A value that rounds to zero shows no sign.
    const bool shows_zero = out.find_first_not_of("0.,") == std::string::npos;
    return (*value < 0 && !shows_zero ? "-" : "") + out;
}

}  // namespace tovex_html
