#include "projfile/json_document.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <memory>
#include <functional>
#include <iterator>
#include <unordered_set>
#include <utility>
#include <vector>

#include "projfile/projfile.h"

namespace qxhost {

std::string pointer_token(std::string_view token)
{
    std::string escaped;
    escaped.reserve(token.size());
    for (char ch : token) {
        if (ch == '~') escaped += "~0";
        else if (ch == '/') escaped += "~1";
        else escaped += ch;
    }
    return escaped;
}

void append_member(Json& object, std::string key, Json value)
{
    if (!object.is_object()) object = Json::object();
    auto& members = static_cast<Json::object_t::Container&>(object.get_ref<Json::object_t&>());
    members.emplace_back(std::move(key), std::move(value));
}

namespace {

constexpr std::size_t excerpt_characters = 40;

// The byte length of the first `characters` UTF-8 characters of `text`
// (a continuation byte never starts a character).
std::size_t prefix_bytes(std::string_view text, std::size_t characters)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == characters) return i;
    }
    return text.size();
}

// `text` cut to its first characters; empty when it needs no cut.
std::string cut_note(std::string_view text, std::string& head)
{
    const std::size_t keep = prefix_bytes(text, excerpt_characters);
    if (keep == text.size()) {
        head.assign(text);
        return {};
    }
    head.assign(text.substr(0, keep));
    return "... (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace

std::string quoted_excerpt(std::string_view text)
{
    std::string head;
    const std::string note = cut_note(text, head);
    return Json(head).dump(-1, ' ', false, Json::error_handler_t::replace) + note;
}

std::string value_excerpt(const Json& value)
{
    if (value.is_string()) return quoted_excerpt(value.get_ref<const std::string&>());
    if (value.is_array()) return "an array";
    if (value.is_object()) return "an object";
    return value.dump();
}

std::string pointer_excerpt(std::string_view pointer)
{
    std::string shown;
    std::size_t start = 0;
    while (start < pointer.size()) {
        std::size_t end = pointer.find('/', start + 1);
        if (end == std::string_view::npos) end = pointer.size();
        std::string head;
        const std::string note = cut_note(pointer.substr(start, end - start), head);
        shown += head + note;
        start = end;
    }
    return shown;
}

namespace {

// 1-based line and column of the byte at `offset`; columns count characters,
// not the bytes of a multi-byte UTF-8 sequence.
std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset)
{
    if (offset > text.size()) offset = text.size();
    std::size_t line = 1;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    }
    std::size_t column = 1;
    for (std::size_t i = line_start; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) ++column;
    }
    return {line, column};
}

// The same for the file at `path`, read again up to `offset`.
std::pair<std::size_t, std::size_t> line_and_column_in_file(const std::string& path, std::size_t offset)
{
    std::ifstream file(path, std::ios::binary);
    std::string text(offset, '\0');
    file.read(text.data(), static_cast<std::streamsize>(offset));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return line_and_column(text, offset);
}

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

// Builds the document from the parser's events. Keys are appended without
// the ordered map's own lookup (which is linear); duplicates are caught by a
// set per open object instead.
class DocumentBuilder : public nlohmann::json_sax<Json> {
public:
    using Locator = std::function<std::pair<std::size_t, std::size_t>(std::size_t offset)>;

    // `consumed` counts the bytes the parser has taken so far.
    DocumentBuilder(Locator locate, const std::size_t& consumed, const std::string& file_label, ElementSink* sink)
        : locate_(std::move(locate)), consumed_(consumed), file_label_(file_label), sink_(sink)
    {
    }

    Json take() { return std::move(root_); }

    bool null() override { return add(Json(nullptr)); }
    bool boolean(bool value) override { return add(Json(value)); }
    bool number_integer(number_integer_t value) override { return add(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return add(Json(value)); }
    bool string(string_t& value) override
    {
        if (value.find('\0') != std::string::npos && !(frames_.size() == 1 && sink_ != nullptr &&
                                                       sink_->holds_nul(frames_.front().pending_key))) {
            refuse_nul(pointer_of_next());
        }
        return add(Json(std::move(value)));
    }
    bool binary(binary_t& value) override { return add(Json::binary(std::move(value))); }

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& key) override
    {
        Frame& frame = frames_.back();
        if (key.find('\0') != std::string::npos) refuse_nul(pointer_of(key));
        if (!frame.keys.insert(key).second) {
            throw ProjectFileError(file_label_ + ": at " + pointer_excerpt(pointer_of(key)) + ": duplicate key " +
                                   quoted_excerpt(key) + " (the object already has it)");
        }
        frame.pending_key = std::move(key);
        return true;
    }

    bool parse_error(std::size_t position, const std::string& last_token,
                     const nlohmann::detail::exception& error) override
    {
        // The parser has read `position` bytes. A syntax error lies at the
        // last of them; a number out of range is pointed at where it starts.
        std::size_t offset = position == 0 ? 0 : position - 1;
        if (error.id == 406 && last_token.size() <= position) offset = position - last_token.size();
        throw_at(offset, parser_reason(error.what()));
    }

private:
    struct Frame {
        Json* container;
        std::string token;  // this container's reference token in its parent
        std::unordered_set<std::string> keys;
        std::string pending_key;
        std::size_t count = 0;  // arrays: elements placed so far
        bool streamed = false;  // an array whose elements go to the sink
    };

    // Where a new value goes: the root, the end of the open array, or the
    // pending key of the open object. Returns the stored value.
    Json& place(Json value, std::string& token)
    {
        if (frames_.empty()) {
            root_ = std::move(value);
            return root_;
        }
        Frame& frame = frames_.back();
        if (frame.container->is_array()) {
            token = std::to_string(frame.count++);
            frame.container->push_back(std::move(value));
            return frame.container->back();
        }
        token = pointer_token(frame.pending_key);
        append_member(*frame.container, std::move(frame.pending_key), std::move(value));
        return frame.container->get_ref<Json::object_t&>().back().second;
    }

    bool add(Json value)
    {
        std::string token;
        place(std::move(value), token);
        if (frames_.size() == 2 && frames_.back().streamed) hand_over(frames_.back());
        return true;
    }

    bool open(Json container)
    {
        // The parser keeps its own depth without recursion, but every
        // consumer of a document may recurse; the parser has just taken the
        // bracket.
        if (frames_.size() >= max_json_depth) {
            throw_at(consumed_ - 1, "values nested deeper than " + std::to_string(max_json_depth) + " levels");
        }
        // An array under a streamed key of the top-level object.
        const bool streamed = sink_ != nullptr && container.is_array() && frames_.size() == 1 &&
                              frames_.front().container->is_object() &&
                              sink_->streams(frames_.front().pending_key);
        std::string token;
        Json& stored = place(std::move(container), token);
        frames_.push_back(Frame{&stored, std::move(token), {}, {}, 0, streamed});
        return true;
    }

    bool close()
    {
        frames_.pop_back();
        if (frames_.size() == 2 && frames_.back().streamed) hand_over(frames_.back());
        return true;
    }

    // The last element of a streamed array goes to the sink and leaves the
    // document.
    void hand_over(Frame& array)
    {
        sink_->take(frames_.front().container->get_ref<Json::object_t&>().back().first, array.count - 1,
                    array.container->back());
        array.container->get_ref<Json::array_t&>().pop_back();
    }

    [[noreturn]] void throw_at(std::size_t offset, const std::string& reason) const
    {
        const auto [line, column] = locate_(offset);
        throw ProjectFileError(file_label_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason);
    }

    [[noreturn]] void refuse_nul(const std::string& pointer) const
    {
        throw ProjectFileError(file_label_ + ": at " + pointer_excerpt(pointer) +
                               ": a text cannot hold U+0000 (the host would cut it there)");
    }

    // The pointer of the value the parser hands over next.
    std::string pointer_of_next() const
    {
        if (frames_.empty()) return "";
        const Frame& open = frames_.back();
        if (open.container->is_array()) {
            std::string pointer;
            for (std::size_t i = 1; i < frames_.size(); ++i) pointer += "/" + frames_[i].token;
            return pointer + "/" + std::to_string(open.count);
        }
        return pointer_of(open.pending_key);
    }

    std::string pointer_of(std::string_view key) const
    {
        std::string pointer;
        for (std::size_t i = 1; i < frames_.size(); ++i) pointer += "/" + frames_[i].token;
        return pointer + "/" + pointer_token(key);
    }

    Locator locate_;
    const std::size_t& consumed_;
    const std::string& file_label_;
    ElementSink* sink_;
    Json root_;
    std::vector<Frame> frames_;
};

}  // namespace

namespace {

// The characters of the input, in pieces, as the input iterator that the
// parser takes, counting what the parser has taken so that a fault found in
// a value can be placed. `Source::fill` gives the next piece (empty at the
// end).
template <class Source>
class CountedChars {
public:
    explicit CountedChars(Source& source) : source_(source) { next_piece(); }
    bool at_end() const { return position_ == piece_.size(); }
    char current() const { return piece_[position_]; }
    void advance()
    {
        ++consumed_;
        if (++position_ == piece_.size()) next_piece();
    }
    const std::size_t& consumed() const { return consumed_; }

    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = char;
        using difference_type = std::ptrdiff_t;
        using pointer = const char*;
        using reference = const char&;

        iterator() = default;
        explicit iterator(CountedChars* chars) : chars_(chars->at_end() ? nullptr : chars) {}
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
        CountedChars* chars_ = nullptr;
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
    std::size_t consumed_ = 0;
};

// A text in memory: one piece.
struct TextSource {
    std::string_view text;
    std::string_view fill() { return std::exchange(text, std::string_view()); }
};

// An open file, read in large pieces. A read error ends the input and is
// kept.
class FileSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    std::string_view fill()
    {
        const std::size_t length = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (length == 0 && std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
        return {buffer_.data(), length};
    }
    int error() const { return error_; }

private:
    std::FILE* file_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    int error_ = 0;
};

[[noreturn]] void cannot_read(const std::string& path, int error)
{
    throw ProjectFileError(path + ": cannot read: " + std::strerror(error));
}

}  // namespace

Json parse_json_document(std::string_view text, const std::string& file_label, ElementSink* sink)
{
    TextSource source{text};
    CountedChars<TextSource> chars(source);
    DocumentBuilder builder([text](std::size_t offset) { return line_and_column(text, offset); }, chars.consumed(),
                            file_label, sink);
    Json::sax_parse(chars.begin(), chars.end(), &builder);
    return builder.take();
}

Json parse_json_file(const std::string& path, ElementSink* sink)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) cannot_read(path, errno);
    FileSource source(file.get());
    CountedChars<FileSource> chars(source);
    DocumentBuilder builder([&path](std::size_t offset) { return line_and_column_in_file(path, offset); },
                            chars.consumed(), path, sink);
    try {
        Json::sax_parse(chars.begin(), chars.end(), &builder);
    } catch (const ProjectFileError&) {
        // A read error cuts the input short: that, not the parser's view of
        // the cut, is what went wrong.
        if (source.error() != 0) cannot_read(path, source.error());
        throw;
    }
    if (source.error() != 0) cannot_read(path, source.error());
    return builder.take();
}

}  // namespace qxhost
