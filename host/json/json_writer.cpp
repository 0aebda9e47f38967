#include "json/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace qxhost {

namespace {

// A piece's size: the writer of a file holds a few of them while they wait
// for the disk, and a piece of 256 KiB already costs its write call next to
// nothing.
constexpr std::size_t flush_at = 256 << 10;

void append_number(std::string& out, double value)
{
    if (!std::isfinite(value)) throw std::invalid_argument("a number that is not finite has no JSON form");
    // "-0" would read back as the integer 0 and lose the sign.
    if (value == 0.0 && std::signbit(value)) {
        out += "-0.0";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

template <class Integer>
void append_integer(std::string& out, Integer value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// The length of the UTF-8 sequence that `text` starts with (its first byte
// not ASCII), and whether it is well formed (the ranges of the Unicode
// standard's table of well-formed byte sequences). An ill-formed one is as
// long as its start that a well-formed sequence could have, at least one
// byte: each such start becomes one U+FFFD, as the standard recommends.
std::pair<std::size_t, bool> utf8_sequence(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {1, false};
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (k == text.size()) return {k, false};
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte < low || byte > high) return {k, false};
        low = 0x80;
        high = 0xBF;
    }
    return {length, true};
}

}  // namespace

// How many bytes from the start of `text` need no escape: ASCII at or
// above the space, neither a quote nor a backslash. Eight bytes are tested
// at a time, as nearly every text of a project is such bytes only; this
// scan was the largest part of writing a large state file.
std::size_t json_plain_prefix(std::string_view text)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    const auto has_byte = [](std::uint64_t word, unsigned char byte) {
        const std::uint64_t x = word ^ (ones * byte);
        return (x - ones) & ~x & highs;
    };
    // The bytes that end a plain run, one load each for the short tails
    // that most names leave after their words of eight.
    static constexpr auto special = [] {
        std::array<bool, 256> table{};
        for (int byte = 0; byte < 256; ++byte) table[byte] = byte < 0x20 || byte >= 0x80 || byte == '"' || byte == '\\';
        return table;
    }();
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        const std::uint64_t found = ((word - ones * 0x20) & ~word & highs) | (word & highs) | has_byte(word, '"') |
                                    has_byte(word, '\\');
        if (found != 0) break;
    }
    while (i < text.size() && !special[static_cast<unsigned char>(text[i])]) ++i;
    return i;
}

bool is_utf8(std::string_view text)
{
    while (!text.empty()) {
        // Nearly every text is ASCII: eight bytes are tested at a time.
        if (text.size() >= 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data(), sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                text.remove_prefix(8);
                continue;
            }
        }
        if (static_cast<unsigned char>(text.front()) < 0x80) {
            text.remove_prefix(1);
            continue;
        }
        const auto [length, well_formed] = utf8_sequence(text);
        if (!well_formed) return false;
        text.remove_prefix(length);
    }
    return true;
}

// Nearly every text of a project is ASCII, escaped here a run of plain
// characters at a time.
bool append_json_string(std::string& out, std::string_view text)
{
    bool replaced = false;
    out.reserve(out.size() + text.size() + 2);
    out += '"';
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t plain = json_plain_prefix(rest);
        out.append(rest.data(), plain);
        if (plain == rest.size()) break;
        rest.remove_prefix(plain);
        const auto byte = static_cast<unsigned char>(rest.front());
        if (byte >= 0x80) {
            const auto [length, well_formed] = utf8_sequence(rest);
            if (well_formed) {
                out.append(rest.data(), length);
            } else {
                out += "\xEF\xBF\xBD";
                replaced = true;
            }
            rest.remove_prefix(length);
            continue;
        }
        rest.remove_prefix(1);
        switch (byte) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        }
        }
    }
    out += '"';
    return replaced;
}

void append_floating(std::string& out, double value)
{
    if (!std::isfinite(value)) throw std::invalid_argument("a number that is not finite has no JSON form");
    if (std::signbit(value)) out += '-';
    value = std::fabs(value);
    if (value == 0.0) {
        out += "0.0";
        return;
    }
    // The shortest digits that read back as the value, "d.ddde-XX", and
    // where the decimal point falls among them.
    char buffer[32];
    const char* end = std::to_chars(buffer, std::end(buffer), value, std::chars_format::scientific).ptr;
    const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = written.find('e');
    std::string digits(written.substr(0, 1));
    if (e > 2) digits += written.substr(2, e - 2);
    const std::string_view exponent_text = written.substr(written[e + 1] == '+' ? e + 2 : e + 1);
    int exponent = 0;
    std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);
    const int point = exponent + 1;
    const int count = static_cast<int>(digits.size());
    constexpr int widest_fixed = 15;
    if (count <= point && point <= widest_fixed) {
        out += digits;
        out.append(static_cast<std::size_t>(point - count), '0');
        out += ".0";
    } else if (0 < point && point <= widest_fixed) {
        out.append(digits, 0, static_cast<std::size_t>(point));
        out += '.';
        out.append(digits, static_cast<std::size_t>(point));
    } else if (-4 < point && point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-point), '0');
        out += digits;
    } else {
        out += digits.front();
        if (count > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "e-" : "e+";
        if (std::abs(exponent) < 10) out += '0';
        out += std::to_string(std::abs(exponent));
    }
}

void JsonWriter::string(std::string_view text)
{
    scalar([&](std::string& to) { replaced_texts_ += append_json_string(to, text); });
}

void JsonWriter::number(double value)
{
    scalar([&](std::string& to) { append_number(to, value); });
}

void JsonWriter::floating(double value)
{
    if (!std::isfinite(value)) return null();
    scalar([&](std::string& to) { append_floating(to, value); });
}

void JsonWriter::integer(std::int64_t value)
{
    scalar([&](std::string& to) { append_integer(to, value); });
}

void JsonWriter::unsigned_integer(std::uint64_t value)
{
    scalar([&](std::string& to) { append_integer(to, value); });
}

void JsonWriter::boolean(bool value)
{
    scalar([&](std::string& to) { to += value ? "true" : "false"; });
}

void JsonWriter::null()
{
    scalar([](std::string& to) { to += "null"; });
}

// A member of a kept frame goes on its line: ", " (after the first), the
// key and ": " for an object, then the value. A member of an indented
// frame goes out on a line of its own.
std::string& JsonWriter::start_value()
{
    if (depth_ == 0) return out_;
    Frame& frame = frames_[depth_ - 1];
    if (frame.indented) {
        start_indented_member(frame, depth_ - 1);
        return out_;
    }
    if (frame.members > 0) frame.line += ", ";
    const std::size_t key_begin = frame.line.size();
    if (frame.object) {
        replaced_texts_ += append_json_string(frame.line, key_);
        frame.line += ": ";
    }
    frame.kept.push_back({key_begin, 0});
    ++frame.members;
    return frame.line;
}

void JsonWriter::end_value()
{
    if (depth_ == 0) return;
    Frame& frame = frames_[depth_ - 1];
    if (frame.indented) {
        flush_if_full();
        return;
    }
    frame.kept.back().end = frame.line.size();
    // "[" or "{" and the closing bracket come on top of the members.
    if (frame.line.size() + 2 > one_line_limit_) indent_frame(frame, depth_ - 1);
}

void JsonWriter::begin(bool object)
{
    if (depth_ > 0) {
        Frame& parent = frames_[depth_ - 1];
        if (!parent.indented) indent_frame(parent, depth_ - 1);
        start_indented_member(parent, depth_ - 1);
    }
    if (frames_.size() == depth_) frames_.emplace_back();
    Frame& frame = frames_[depth_++];
    frame.object = object;
    frame.indented = false;
    frame.members = 0;
    frame.line.clear();
    frame.kept.clear();
}

void JsonWriter::end()
{
    Frame& frame = frames_[--depth_];
    if (!frame.indented) {
        out_ += frame.object ? '{' : '[';
        out_ += frame.line;
        out_ += frame.object ? '}' : ']';
    } else {
        out_ += '\n';
        indent(depth_);
        out_ += frame.object ? '}' : ']';
    }
    flush_if_full();
}

// At the end of any member, so that a piece is at most a member longer than
// flush_at however many members its container has.
void JsonWriter::flush_if_full()
{
    if (flush_ && out_.size() >= flush_at) {
        flush_(out_);
        out_.clear();
    }
}

// Writes the members kept so far each on a line of its own; the rest
// follow as they come.
void JsonWriter::indent_frame(Frame& frame, std::size_t depth)
{
    frame.indented = true;
    for (std::size_t i = 0; i < frame.kept.size(); ++i) {
        open_line(frame, i, depth);
        out_.append(frame.line, frame.kept[i].begin, frame.kept[i].end - frame.kept[i].begin);
    }
    frame.kept.clear();
    frame.line.clear();
}

void JsonWriter::start_indented_member(Frame& frame, std::size_t depth)
{
    open_line(frame, frame.members++, depth);
    if (frame.object) {
        replaced_texts_ += append_json_string(out_, key_);
        out_ += ": ";
    }
}

// The line of member `position`: the opening bracket goes out before the
// first, a comma after each other.
void JsonWriter::open_line(const Frame& frame, std::size_t position, std::size_t depth)
{
    out_ += position == 0 ? (frame.object ? "{\n" : "[\n") : ",\n";
    indent(depth + 1);
}

}  // namespace qxhost
