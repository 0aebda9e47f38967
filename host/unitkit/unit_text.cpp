// Reading unit texts: a code of the table, or a quotient of two codes.
#include <functional>
#include <string>
#include <unordered_map>
#include <string_view>

#include "unitkit/unit_definitions.h"

namespace qxhost::units {
namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Upper case, blanks at both ends dropped, every run of blanks inside made a
// single space, so that " deg  f" reads as "DEG F".
std::string normalise_code(std::string_view text)
{
    std::string code;
    bool pending_blank = false;
    for (char c : text) {
        if (is_blank(c)) {
            pending_blank = !code.empty();
            continue;
        }
        if (pending_blank) code.push_back(' ');
        pending_blank = false;
        code.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return code;
}

ReadUnit read_code(std::string_view text)
{
    std::string code = normalise_code(text);
    std::optional<Unit> unit = find_unit_code(code);
    if (!unit) return {std::nullopt, TextFault::unknown_code, std::move(code)};
    return {unit, TextFault::none, {}};
}

ReadUnit parse_unit_text(std::string_view text);

// A plant uses a few dozen unit texts over and over: each is read once and
// its reading kept.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace

ReadUnit read_unit_text(std::string_view text)
{
    static constexpr std::size_t capacity = 1024;
    thread_local std::unordered_map<std::string, ReadUnit, TextHash, std::equal_to<>> readings;
    if (const auto found = readings.find(text); found != readings.end()) return found->second;
    if (readings.size() >= capacity) readings.clear();
    return readings.emplace(std::string(text), parse_unit_text(text)).first->second;
}

namespace {

ReadUnit parse_unit_text(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return read_code(text);

    // A second '/' leaves the denominator an unknown code ("BTU/LB/F").
    ReadUnit numerator = read_code(text.substr(0, slash));
    if (!numerator.unit) return numerator;
    ReadUnit denominator = read_code(text.substr(slash + 1));
    if (!denominator.unit) return denominator;

    // A shifted scale has no meaning as a factor of a rate ("BTU/DEG F").
    if (numerator.unit->offset != 0.0) {
        return {std::nullopt, TextFault::offset_in_quotient, normalise_code(text.substr(0, slash))};
    }
    if (denominator.unit->offset != 0.0) {
        return {std::nullopt, TextFault::offset_in_quotient, normalise_code(text.substr(slash + 1))};
    }

    Unit quotient;
    quotient.dimension = numerator.unit->dimension / denominator.unit->dimension;
    quotient.factor = numerator.unit->factor / denominator.unit->factor;
    return {quotient, TextFault::none, {}};
}

}  // namespace

std::string describe_dimension(const Dimension& dimension)
{
    struct Base {
        const char* symbol;
        int exponent;
    };
    const Base bases[] = {{"kg", dimension.mass},
                          {"m", dimension.length},
                          {"s", dimension.time},
                          {"K", dimension.temperature}};
    std::string text;
    for (const Base& base : bases) {
        if (base.exponent == 0) continue;
        if (!text.empty()) text += ' ';
        text += base.symbol;
        if (base.exponent != 1) text += '^' + std::to_string(base.exponent);
    }
    return text.empty() ? "1" : text;
}

}  // namespace qxhost::units
