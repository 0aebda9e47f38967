#include "projfile/json_syntax_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>

#include <nlohmann/json.hpp>

#include "projfile/file_pieces.h"
#include "projfile/json_document.h"
#include "projfile/projfile.h"

namespace qxhost {

namespace {

// Lines and columns counted over a text given in pieces: a column counts
// characters, so the continuation bytes of a UTF-8 sequence add none.
struct LinePlace {
    std::size_t line = 1;
    std::size_t column = 1;

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
    }
};

}  // namespace

std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset)
{
    LinePlace place;
    place.pass(text.substr(0, offset));
    return {place.line, place.column};
}

// Read a piece at a time, so that a fault near the end of a large file
// does not take the whole file into memory to be placed.
std::pair<std::size_t, std::size_t> line_and_column_in_file(const std::string& path, std::size_t offset)
{
    LinePlace place;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return {place.line, place.column};
    FilePieces pieces(file.get());
    for (std::string_view piece = pieces.fill(); offset > 0 && !piece.empty(); piece = pieces.fill()) {
        piece = piece.substr(0, offset);
        place.pass(piece);
        offset -= piece.size();
    }
    return {place.line, place.column};
}

namespace {

// The parser's own message without its exception tag and its position
// (which counts bytes; the position is given in front instead).
std::string parser_reason(const std::string& what)
{
    std::string reason = what;
    if (!reason.empty() && reason.front() == '[') {
        const auto close = reason.find("] ");
        if (close != std::string::npos) reason.erase(0, close + 2);
    }
    if (reason.rfind("parse error", 0) == 0) {
        const auto colon = reason.find(": ");
        if (colon != std::string::npos) reason.erase(0, colon + 2);
    }
    // The parser quotes the whole token it last read, which can be any
    // length and any bytes.
    const std::string last_read = "last read: '";
    const auto quoted = reason.find(last_read);
    if (quoted != std::string::npos && reason.back() == '\'') {
        const std::size_t start = quoted + last_read.size();
        const std::string token = reason.substr(start, reason.size() - 1 - start);
        reason.erase(quoted + last_read.size() - 1);
        reason += quoted_excerpt(token);
    }
    return reason;
}


// Takes every event and stops at the first syntax error.
class SyntaxChecker : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_object() override { return true; }
    bool end_array() override { return true; }
    bool key(string_t&) override { return true; }

    bool parse_error(std::size_t position, const std::string& last_token,
                     const nlohmann::detail::exception& error) override
    {
        // The parser has read `position` bytes. A syntax error lies at the
        // last of them; a number out of range is pointed at where it starts.
        offset = position == 0 ? 0 : position - 1;
        if (error.id == 406 && last_token.size() <= position) offset = position - last_token.size();
        reason = parser_reason(error.what());
        return false;
    }

    std::size_t offset = 0;
    std::string reason;
};

// The characters of the input, in pieces, as the input iterator that the
// parser takes. `Source::fill` gives the next piece (empty at the end).
template <class Source>
class PieceChars {
public:
    explicit PieceChars(Source& source) : source_(source) { next_piece(); }
    bool at_end() const { return position_ == piece_.size(); }
    char current() const { return piece_[position_]; }
    void advance()
    {
        if (++position_ == piece_.size()) next_piece();
    }

    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = char;
        using difference_type = std::ptrdiff_t;
        using pointer = const char*;
        using reference = const char&;

        iterator() = default;
        explicit iterator(PieceChars* chars) : chars_(chars->at_end() ? nullptr : chars) {}
        char operator*() const { return chars_->current(); }
        iterator& operator++()
        {
            chars_->advance();
            if (chars_->at_end()) chars_ = nullptr;
            return *this;
        }
        bool operator==(const iterator& other) const { return chars_ == other.chars_; }
        bool operator!=(const iterator& other) const { return chars_ != other.chars_; }

    private:
        PieceChars* chars_ = nullptr;
    };

    iterator begin() { return iterator(this); }
    static iterator end() { return iterator(); }

private:
    void next_piece()
    {
        position_ = 0;
        piece_ = source_.fill();
    }

    Source& source_;
    std::string_view piece_;
    std::size_t position_ = 0;
};

// A text in memory: one piece.
struct TextSource {
    std::string_view text;
    std::string_view fill() { return std::exchange(text, std::string_view()); }
};

}  // namespace

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
                        const std::string& reason)
{
    TextSource source{text};
    PieceChars<TextSource> chars(source);
    SyntaxChecker checker;
    if (!nlohmann::json::sax_parse(chars.begin(), chars.end(), &checker)) {
        throw_at(file_label, line_and_column(text, checker.offset), checker.reason);
    }
    throw_at(file_label, line_and_column(text, offset), reason);
}

void throw_file_syntax_error(const std::string& path, std::size_t offset, const std::string& reason)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) cannot_read(path, errno);
    FilePieces source(file.get());
    PieceChars<FilePieces> chars(source);
    SyntaxChecker checker;
    const bool parsed = nlohmann::json::sax_parse(chars.begin(), chars.end(), &checker);
    // A read error cuts the input short: that, not the parser's view of the
    // cut, is what went wrong.
    if (source.error() != 0) cannot_read(path, source.error());
    if (!parsed) throw_at(path, line_and_column_in_file(path, checker.offset), checker.reason);
    throw_at(path, line_and_column_in_file(path, offset), reason);
}

}  // namespace qxhost
