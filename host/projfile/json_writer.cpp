#include "projfile/json_writer.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace qxhost {

namespace {

constexpr std::size_t one_line_limit = 100;

std::string number_text(double value)
{
    if (!std::isfinite(value)) throw std::invalid_argument("a number that is not finite has no JSON form");
    // "-0" would read back as the integer 0 and lose the sign.
    if (value == 0.0 && std::signbit(value)) return "-0.0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <class Integer>
std::string integer_text(Integer value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

// ASCII, nearly every text of a project, is escaped here; any other text
// goes to the JSON library, whose replacement of bytes that are not UTF-8
// the files have always had.
std::string json_string(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        }
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\b': quoted += "\\b"; break;
        case '\f': quoted += "\\f"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (byte < 0x20) {
                constexpr char hex[] = "0123456789abcdef";
                quoted += "\\u00";
                quoted += hex[byte >> 4];
                quoted += hex[byte & 0xF];
            } else {
                quoted += c;
            }
        }
    }
    quoted += '"';
    return quoted;
}

void JsonWriter::begin(bool object)
{
    if (!frames_.empty()) {
        Frame& parent = frames_.back();
        if (!parent.indented) indent_frame(parent, frames_.size() - 1);
        start_member(parent, frames_.size() - 1, parent.pending_key);
    }
    Frame frame;
    frame.object = object;
    frames_.push_back(std::move(frame));
}

void JsonWriter::key(std::string_view name) { frames_.back().pending_key = json_string(name); }

void JsonWriter::string(std::string_view text) { scalar(json_string(text)); }
void JsonWriter::number(double value) { scalar(number_text(value)); }
void JsonWriter::integer(std::int64_t value) { scalar(integer_text(value)); }
void JsonWriter::unsigned_integer(std::uint64_t value) { scalar(integer_text(value)); }
void JsonWriter::boolean(bool value) { scalar(value ? "true" : "false"); }

void JsonWriter::scalar(std::string text)
{
    if (frames_.empty()) {
        out_ += text;
        return;
    }
    Frame& frame = frames_.back();
    if (frame.indented) {
        start_member(frame, frames_.size() - 1, frame.pending_key);
        out_ += text;
    } else {
        frame.pending.emplace_back(std::move(frame.pending_key), std::move(text));
    }
    frame.pending_key.clear();
}

void JsonWriter::end()
{
    Frame& frame = frames_.back();
    const std::size_t depth = frames_.size() - 1;
    if (!frame.indented) {
        std::string line = frame.object ? "{" : "[";
        for (std::size_t i = 0; i < frame.pending.size(); ++i) {
            if (i > 0) line += ", ";
            if (frame.object) line.append(frame.pending[i].first).append(": ");
            line += frame.pending[i].second;
        }
        line += frame.object ? "}" : "]";
        if (line.size() <= one_line_limit) {
            out_ += line;
            frames_.pop_back();
            return;
        }
        indent_frame(frame, depth);
    }
    if (frame.members == 0) {
        out_ += frame.object ? "{}" : "[]";
    } else {
        out_ += '\n';
        indent(depth);
        out_ += frame.object ? '}' : ']';
    }
    frames_.pop_back();
}

void JsonWriter::indent_frame(Frame& frame, std::size_t depth)
{
    frame.indented = true;
    for (auto& [key_text, value_text] : frame.pending) {
        start_member(frame, depth, key_text);
        out_ += value_text;
    }
    frame.pending.clear();
}

// The opening bracket goes out with the first member, so that a container
// found empty at its end is written "{}".
void JsonWriter::start_member(Frame& frame, std::size_t depth, std::string_view key_text)
{
    out_ += frame.members == 0 ? (frame.object ? "{\n" : "[\n") : ",\n";
    ++frame.members;
    indent(depth + 1);
    if (frame.object) out_.append(key_text).append(": ");
}

}  // namespace qxhost
