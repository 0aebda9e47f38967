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
    return reason;
}

// Builds the document from the parser's events. Keys are appended without
// the ordered map's own lookup (which is linear); duplicates are caught by a
// set per open object instead.
class DocumentBuilder : public nlohmann::json_sax<Json> {
public:
    using Locator = std::function<std::pair<std::size_t, std::size_t>(std::size_t offset)>;

    DocumentBuilder(Locator locate, const std::string& file_label, ElementSink* sink)
        : locate_(std::move(locate)), file_label_(file_label), sink_(sink)
    {
    }

    Json take() { return std::move(root_); }

    bool null() override { return add(Json(nullptr)); }
    bool boolean(bool value) override { return add(Json(value)); }
    bool number_integer(number_integer_t value) override { return add(Json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(Json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return add(Json(value)); }
    bool string(string_t& value) override { return add(Json(std::move(value))); }
    bool binary(binary_t& value) override { return add(Json::binary(std::move(value))); }

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& key) override
    {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(key).second) {
            throw ProjectFileError(file_label_ + ": at " + pointer_of(key) + ": duplicate key \"" + key +
                                   "\" (the object already has it)");
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
        const auto [line, column] = locate_(offset);
        throw ProjectFileError(file_label_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                               parser_reason(error.what()));
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

    std::string pointer_of(std::string_view key) const
    {
        std::string pointer;
        for (std::size_t i = 1; i < frames_.size(); ++i) pointer += "/" + frames_[i].token;
        return pointer + "/" + pointer_token(key);
    }

    Locator locate_;
    const std::string& file_label_;
    ElementSink* sink_;
    Json root_;
    std::vector<Frame> frames_;
};

}  // namespace

Json parse_json_document(std::string_view text, const std::string& file_label, ElementSink* sink)
{
    DocumentBuilder builder([text](std::size_t offset) { return line_and_column(text, offset); }, file_label, sink);
    Json::sax_parse(text, &builder);
    return builder.take();
}

namespace {

// The characters of an open file, read in large pieces, as the input
// iterator that the parser takes. A read error ends the input and is kept.
class FileChars {
public:
    explicit FileChars(std::FILE* file) : file_(file) { fill(); }
    bool at_end() const { return position_ == length_; }
    char current() const { return buffer_[position_]; }
    void advance()
    {
        if (++position_ == length_) fill();
    }
    int error() const { return error_; }

    class iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = char;
        using difference_type = std::ptrdiff_t;
        using pointer = const char*;
        using reference = const char&;

        iterator() = default;
        explicit iterator(FileChars* chars) : chars_(chars->at_end() ? nullptr : chars) {}
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
        FileChars* chars_ = nullptr;
    };

private:
    void fill()
    {
        position_ = 0;
        length_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (length_ == 0 && std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
    }

    std::FILE* file_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    std::size_t position_ = 0;
    std::size_t length_ = 0;
    int error_ = 0;
};

[[noreturn]] void cannot_read(const std::string& path, int error)
{
    throw ProjectFileError(path + ": cannot read: " + std::strerror(error));
}

}  // namespace

Json parse_json_file(const std::string& path, ElementSink* sink)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) cannot_read(path, errno);
    FileChars chars(file.get());
    DocumentBuilder builder([&path](std::size_t offset) { return line_and_column_in_file(path, offset); }, path,
                            sink);
    try {
        Json::sax_parse(FileChars::iterator(&chars), FileChars::iterator(), &builder);
    } catch (const ProjectFileError&) {
        // A read error cuts the input short: that, not the parser's view of
        // the cut, is what went wrong.
        if (chars.error() != 0) cannot_read(path, chars.error());
        throw;
    }
    if (chars.error() != 0) cannot_read(path, chars.error());
    return builder.take();
}

}  // namespace qxhost
