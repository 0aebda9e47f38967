#include "json/json_writer.h"
#include "projfile/json_syntax_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/textkit.h"
#include "projfile/file_pieces.h"
#include "projfile/projfile.h"

namespace qxhost {

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

// How much text an excerpt shows on each side of the fault, counted as a
// terminal shows it: a byte written "\xNN" counts four.
constexpr std::size_t excerpt_width = 20;
// The bytes kept on each side to take the excerpt from: enough for its
// characters at four bytes each, and for the start of the first. Keeping a
// fixed count, however the text came in pieces, keeps the excerpt the same
// for a file and for the same text in memory.
constexpr std::size_t kept_bytes = 4 * excerpt_width + 8;

// The place of the byte at an offset, and the text of its line around it,
// gathered from a text given in pieces: a column counts characters, so the
// continuation bytes of a UTF-8 sequence add none.
class FaultPlace {
public:
    explicit FaultPlace(std::size_t offset) : before_left_(offset) {}

    // Takes the next piece of the text; false once it has all it needs.
    bool take(std::string_view piece)
    {
        if (first_piece_) {
            first_piece_ = false;
            if (piece.starts_with(byte_order_mark) && before_left_ >= byte_order_mark.size()) {
                piece.remove_prefix(byte_order_mark.size());
                before_left_ -= byte_order_mark.size();
            }
        }
        const std::string_view head = piece.substr(0, before_left_);
        pass(head);
        before_left_ -= head.size();
        if (before_left_ > 0) return true;
        piece.remove_prefix(head.size());
        const std::string_view after = piece.substr(0, std::min(piece.find('\n'), kept_bytes - after_.size()));
        after_ += after;
        after_complete_ = after.size() < piece.size();
        return !after_complete_;
    }

    std::size_t line = 1;
    std::size_t column = 1;

    // Once the text has run out: whether the fault lies at its end.
    bool at_end() const { return after_.empty() && !after_complete_; }
    char first_after() const { return after_.empty() ? '\0' : after_.front(); }
    std::string excerpt() const;

private:
    void pass(std::string_view text)
    {
        for (const char ch : text) {
            if (ch == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) {
                ++column;
            }
        }
        const std::size_t line_start = text.rfind('\n');
        if (line_start != std::string_view::npos) {
            before_.clear();
            text.remove_prefix(line_start + 1);
        }
        if (text.size() >= kept_bytes) before_.clear();
        before_ += text.substr(text.size() - std::min(text.size(), kept_bytes));
        // Trimmed now and then rather than on every piece.
        if (before_.size() >= 2 * kept_bytes) before_.erase(0, before_.size() - kept_bytes);
    }

    std::size_t before_left_;
    bool first_piece_ = true;
    std::string before_;  // the end of the fault's line before it
    std::string after_;   // the fault's line from it on
    bool after_complete_ = false;
};

// One character of an excerpt as it is shown: a printable UTF-8 sequence
// as it is, a control byte or a byte that is not UTF-8 as an escape.
struct Shown {
    std::size_t bytes;
    std::string text;
    std::size_t width() const { return bytes == 1 ? text.size() : 1; }
};

Shown shown_at(std::string_view text)
{
    const auto byte = static_cast<unsigned char>(text.front());
    if (byte >= 0x20 && byte < 0x7F) return {1, std::string(1, text.front())};
    if (byte >= 0xC2 && byte <= 0xF4) {
        const std::size_t length = byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        if (text.size() >= length && is_utf8(text.substr(0, length))) {
            return {length, std::string(text.substr(0, length))};
        }
    }
    if (byte == '\t') return {1, "\\t"};
    if (byte == '\r') return {1, "\\r"};
    constexpr char hex[] = "0123456789ABCDEF";
    return {1, std::string{'\\', 'x', hex[byte >> 4], hex[byte & 0xF]}};
}

std::vector<Shown> shown(std::string_view text)
{
    std::vector<Shown> characters;
    while (!text.empty()) {
        characters.push_back(shown_at(text));
        text.remove_prefix(characters.back().bytes);
    }
    return characters;
}

// The last characters before the fault that fit, without the line's
// indentation, then the first after it that fit.
std::string FaultPlace::excerpt() const
{
    const std::string_view line(before_);
    const std::vector<Shown> before = shown(line.substr(line.size() - std::min(line.size(), kept_bytes)));
    std::size_t first = before.size();
    for (std::size_t width = 0; first > 0 && width + before[first - 1].width() <= excerpt_width; --first) {
        width += before[first - 1].width();
    }
    while (first < before.size() && before[first].text == " ") ++first;
    std::string text;
    for (std::size_t i = first; i < before.size(); ++i) text += before[i].text;
    std::size_t width = 0;
    for (const Shown& character : shown(after_)) {
        if ((width += character.width()) > excerpt_width) break;
        text += character.text;
    }
    return text;
}

std::string_view fault_words(rapidjson::ParseErrorCode code, char at)
{
    switch (code) {
    case rapidjson::kParseErrorDocumentEmpty: return "no JSON value";
    case rapidjson::kParseErrorDocumentRootNotSingular: return "more text after the JSON value";
    case rapidjson::kParseErrorValueInvalid: return "not a JSON value";
    case rapidjson::kParseErrorObjectMissName: return "expected a key in double quotes";
    case rapidjson::kParseErrorObjectMissColon: return "expected ':' after a key";
    case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket: return "expected ',' or '}' after an object member";
    case rapidjson::kParseErrorArrayMissCommaOrSquareBracket: return "expected ',' or ']' after an array element";
    case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex: return "'\\u' not followed by four hex digits";
    case rapidjson::kParseErrorStringUnicodeSurrogateInvalid: return "a '\\u' surrogate not in a valid pair";
    // The parser gives one code for both.
    case rapidjson::kParseErrorStringEscapeInvalid:
        return at == '\\' ? "invalid escape in a string" : "a control character in a string must be escaped";
    case rapidjson::kParseErrorStringMissQuotationMark: return "a string without its closing quote";
    case rapidjson::kParseErrorStringInvalidEncoding: return "a string that is not UTF-8";
    case rapidjson::kParseErrorNumberTooBig: return "a number too large for a double";
    case rapidjson::kParseErrorNumberMissFraction: return "expected a digit after the decimal point";
    case rapidjson::kParseErrorNumberMissExponent: return "expected a digit in the exponent";
    default: return "not JSON";
    }
}

[[noreturn]] void throw_fault(const std::string& file_label, const FaultPlace& place, rapidjson::ParseErrorCode code)
{
    // A number out of range is written correctly; it only cannot be held.
    std::string reason = code == rapidjson::kParseErrorNumberTooBig ? "number overflow" : "syntax error";
    reason += ": ";
    reason += fault_words(code, place.first_after());
    const std::string excerpt = place.excerpt();
    if (!excerpt.empty()) reason += ", near '" + excerpt + "'";
    if (place.at_end()) reason += excerpt.empty() ? ", at the end of the text" : " at the end of the text";
    throw_at(file_label, {place.line, place.column}, reason);
}

// The place of `offset` in the file at `path`, read a piece at a time, so
// that a fault near the end of a large file does not take the whole file
// into memory to be placed.
FaultPlace place_in_file(const std::string& path, std::size_t offset)
{
    FaultPlace place(offset);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) cannot_read(path, errno);
    FilePieces pieces(file.get());
    for (std::string_view piece = pieces.fill(); !piece.empty() && place.take(piece); piece = pieces.fill()) {
    }
    if (pieces.error() != 0) cannot_read(path, pieces.error());
    return place;
}

}  // namespace

std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset)
{
    FaultPlace place(offset);
    place.take(text);
    return {place.line, place.column};
}

std::pair<std::size_t, std::size_t> line_and_column_in_file(const std::string& path, std::size_t offset)
{
    const FaultPlace place = place_in_file(path, offset);
    return {place.line, place.column};
}

void throw_at(const std::string& file_label, std::pair<std::size_t, std::size_t> place, const std::string& reason)
{
    throw ProjectFileError(file_label + ":" + std::to_string(place.first) + ":" + std::to_string(place.second) + ": " +
                           reason);
}

[[noreturn]] void cannot_read(const std::string& path, int error)
{
    throw ProjectFileError(path + ": cannot read: " +
                           (error == EFBIG ? std::string("a project file must be smaller than 2 GiB") : std::strerror(error)));
}

void throw_syntax_error(std::string_view text, const std::string& file_label, std::size_t offset,
                        rapidjson::ParseErrorCode code)
{
    FaultPlace place(offset);
    place.take(text);
    throw_fault(file_label, place, code);
}

void throw_file_syntax_error(const std::string& path, std::size_t offset, rapidjson::ParseErrorCode code)
{
    throw_fault(path, place_in_file(path, offset), code);
}

}  // namespace qxhost
