#include "projfile/json_document.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_set>
#include <vector>

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include "projfile/element_handoff.h"
#include "projfile/file_pieces.h"
#include "projfile/json_syntax_error.h"
#include "json/json_writer.h"
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
    return json_string(head) + note;
}

std::string value_excerpt(const JsonValue& value)
{
    switch (value.kind()) {
    case JsonValue::Kind::string: return quoted_excerpt(value.string());
    case JsonValue::Kind::array: return "an array";
    case JsonValue::Kind::object: return "an object";
    case JsonValue::Kind::null: return "null";
    case JsonValue::Kind::boolean: return value.boolean() ? "true" : "false";
    case JsonValue::Kind::integer: return std::to_string(value.integer());
    case JsonValue::Kind::unsigned_integer: return std::to_string(value.unsigned_integer());
    case JsonValue::Kind::floating: break;
    }
    std::string shown;
    append_floating(shown, value.number());
    return shown;
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

// A stream that checks its texts' UTF-8 as it copies them (the file's)
// spares the parser its check, which takes a byte at a time.
template <class Stream>
concept ChecksOwnTexts = requires(const Stream& stream) { stream.bad_text(); };

// Where the stream found its first text that is not UTF-8, if it checks.
template <class Stream>
std::optional<std::size_t> bad_text_in(const Stream& stream)
{
    if constexpr (ChecksOwnTexts<Stream>) return stream.bad_text();
    else return std::nullopt;
}

// A fault the builder found: a whole message (it names its pointer), a
// reason at an offset (its message needs the line and column), or a number
// out of range at an offset, worded as the parser's own faults are.
struct BuildFault {
    enum class Kind { message, located, overflow };
    Kind kind = Kind::message;
    std::string message;
    std::size_t offset = 0;
};

// Builds values from the parser's events into an arena, children gathered
// on a stack and copied out whole when their container closes. The
// elements of a streamed array are built in arenas of the handoff, which
// gives them to the sink and drops them.
template <class Stream>
class DocumentBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, DocumentBuilder<Stream>> {
public:
    DocumentBuilder(const Stream& stream, const std::string& file_label, ElementSink* sink, JsonArena& arena)
        : stream_(stream), file_label_(file_label), sink_(sink), document_arena_(arena)
    {
    }

    JsonValue root() const { return root_; }
    const BuildFault& fault() const { return fault_; }
    // Where the elements of streamed arrays go; without one, there are none.
    void hand_to(ElementHandoff& handoff) { handoff_ = &handoff; }

    bool Null() { return add(JsonValue()); }
    bool Bool(bool value) { return add(JsonValue::of_bool(value)); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool)
    {
        const JsonValue number = number_of(std::string_view(text, length));
        if (number.is_null()) return overflow_at(stream_.Tell() - length);
        return add(number);
    }
    bool String(const char* text, rapidjson::SizeType length, bool)
    {
        if (bad_text_in(stream_)) return false;
        const std::string_view value(text, length);
        if (has_nul(value) &&
            !(frames_.size() == 1 && sink_ != nullptr && sink_->holds_nul(frames_.front().pending_key))) {
            return refuse_nul(pointer_of_next());
        }
        return add(JsonValue::of_string(arena().copy(value)));
    }
    bool Key(const char* text, rapidjson::SizeType length, bool)
    {
        if (bad_text_in(stream_)) return false;
        const std::string_view key(text, length);
        if (has_nul(key)) return refuse_nul(pointer_of(key));
        if (has_key(key)) {
            return fail(file_label_ + ": at " + pointer_excerpt(pointer_of(key)) + ": duplicate key " +
                        quoted_excerpt(key) + " (the object already has it)");
        }
        Frame& frame = frames_.back();
        frame.pending_key = arena().copy(key);
        if (frame.keys) frame.keys->insert(frame.pending_key);
        return true;
    }
    bool StartObject() { return open(true); }
    bool StartArray() { return open(false); }
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool EndArray(rapidjson::SizeType) { return close(); }

private:
    struct Frame {
        bool object = false;
        bool streamed = false;     // an array whose elements go to the sink
        std::size_t start = 0;     // its children's first place on the stack
        std::size_t count = 0;     // children placed so far
        std::string_view pending_key;
        // Where it stands in its parent, for the JSON Pointer of a fault.
        std::string_view key_in_parent;
        std::size_t index_in_parent = 0;
        // Its keys, once it has enough that looking through them is slow.
        std::unique_ptr<std::unordered_set<std::string_view>> keys;
    };
    static constexpr std::size_t keys_looked_through = 16;

    // Nearly every text is a short name: a loop the compiler keeps inline
    // costs less than a call of memchr, which was 5% of parsing.
    static bool has_nul(std::string_view text)
    {
        if (text.size() > 32) return std::memchr(text.data(), '\0', text.size()) != nullptr;
        return std::find(text.begin(), text.end(), '\0') != text.end();
    }

    // The number as the JSON library reads it: an integer when it has no
    // fraction or exponent and fits 64 bits, else a double; null for a
    // double out of range.
    static JsonValue number_of(std::string_view text)
    {
        const char* first = text.data();
        const char* last = first + text.size();
        // (find_first_of would call memchr once for each character.)
        if (std::none_of(text.begin(), text.end(), [](char c) { return c == '.' || c == 'e' || c == 'E'; })) {
            if (text.front() == '-') {
                std::int64_t value = 0;
                if (std::from_chars(first, last, value).ec == std::errc()) return JsonValue::of_integer(value);
            } else {
                std::uint64_t value = 0;
                if (std::from_chars(first, last, value).ec == std::errc()) return JsonValue::of_unsigned(value);
            }
        }
        double value = 0.0;
        const auto parsed = std::from_chars(first, last, value);
        if (parsed.ec == std::errc()) return JsonValue::of_double(value);
        // Out of range: an overflow is a fault, an underflow reads as the
        // C library reads it.
        const std::string copy(text);
        value = std::strtod(copy.c_str(), nullptr);
        if (!std::isfinite(value)) return JsonValue();
        return JsonValue::of_double(value);
    }

    JsonArena& arena() { return inside_element_ ? handoff_->arena() : document_arena_; }

    bool has_key(std::string_view key)
    {
        Frame& frame = frames_.back();
        if (frame.keys) return frame.keys->contains(key);
        for (std::size_t i = frame.start; i < members_.size(); ++i)
            if (members_[i].key == key) return true;
        if (frame.count + 1 >= keys_looked_through) {
            frame.keys = std::make_unique<std::unordered_set<std::string_view>>();
            for (std::size_t i = frame.start; i < members_.size(); ++i) frame.keys->insert(members_[i].key);
        }
        return false;
    }

    bool add(JsonValue value)
    {
        if (frames_.empty()) {
            root_ = value;
            return true;
        }
        Frame& frame = frames_.back();
        if (frames_.size() == 2 && frame.streamed) {
            inside_element_ = false;
            return handoff_->hand(frames_.front().pending_key, frame.count++, value);
        }
        if (frame.object) {
            members_.push_back(JsonMember{frame.pending_key, value});
        } else {
            values_.push_back(value);
        }
        ++frame.count;
        return true;
    }

    bool open(bool object)
    {
        // The parser has just taken the bracket.
        if (frames_.size() >= max_json_depth) {
            return fail_at(stream_.Tell() - 1, "values nested deeper than " + std::to_string(max_json_depth) + " levels");
        }
        Frame frame;
        frame.object = object;
        if (!frames_.empty()) {
            const Frame& parent = frames_.back();
            frame.key_in_parent = parent.pending_key;
            frame.index_in_parent = parent.count;
            // An element of a streamed array starts.
            if (frames_.size() == 2 && parent.streamed) inside_element_ = true;
        }
        // An array under a streamed key of the top-level object.
        frame.streamed = handoff_ != nullptr && !object && frames_.size() == 1 && frames_.front().object &&
                         sink_->streams(frames_.front().pending_key);
        frame.start = object ? members_.size() : values_.size();
        frames_.push_back(std::move(frame));
        return true;
    }

    bool close()
    {
        Frame& frame = frames_.back();
        JsonValue container;
        if (frame.object) {
            container = JsonValue::of_object(arena().copy(std::span(members_).subspan(frame.start)));
            members_.resize(frame.start);
        } else {
            container = JsonValue::of_array(arena().copy(std::span(values_).subspan(frame.start)));
            values_.resize(frame.start);
        }
        frames_.pop_back();
        return add(container);
    }

    // The pointer of the value the parser hands over next, or of `key` in
    // the open object.
    std::string pointer_of_next() const
    {
        if (frames_.empty()) return "";
        const Frame& open = frames_.back();
        if (!open.object) return path() + "/" + std::to_string(open.count);
        return pointer_of(open.pending_key);
    }
    std::string pointer_of(std::string_view key) const { return path() + "/" + pointer_token(key); }
    std::string path() const
    {
        std::string pointer;
        for (std::size_t i = 1; i < frames_.size(); ++i) {
            pointer += '/';
            pointer += frames_[i - 1].object ? pointer_token(frames_[i].key_in_parent)
                                             : std::to_string(frames_[i].index_in_parent);
        }
        return pointer;
    }

    bool refuse_nul(const std::string& pointer)
    {
        return fail(file_label_ + ": at " + pointer_excerpt(pointer) +
                    ": a text cannot hold U+0000 (the host would cut it there)");
    }
    bool fail(std::string message)
    {
        fault_ = {BuildFault::Kind::message, std::move(message), 0};
        return false;
    }
    bool fail_at(std::size_t offset, std::string reason)
    {
        fault_ = {BuildFault::Kind::located, std::move(reason), offset};
        return false;
    }
    bool overflow_at(std::size_t offset)
    {
        fault_ = {BuildFault::Kind::overflow, {}, offset};
        return false;
    }

    const Stream& stream_;
    const std::string& file_label_;
    ElementSink* sink_;
    JsonArena& document_arena_;
    bool inside_element_ = false;
    JsonValue root_;
    std::vector<Frame> frames_;
    std::vector<JsonValue> values_;    // children of open arrays
    std::vector<JsonMember> members_;  // children of open objects
    BuildFault fault_;
    ElementHandoff* handoff_ = nullptr;
};

template <class Stream>
constexpr unsigned parse_flags = rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseIterativeFlag |
                                 (ChecksOwnTexts<Stream> ? 0 : rapidjson::kParseValidateEncodingFlag);

// A file may begin with the byte order mark of UTF-8, which is not JSON.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

// Parses `stream`; on a fault calls `syntax_error(offset, code)` or
// `located_error(offset, reason)`, which throw.
template <class Stream, class SyntaxError, class LocatedError>
JsonDocument parse(Stream& stream, const std::string& file_label, ElementSink* sink, SyntaxError syntax_error,
                   LocatedError located_error)
{
    JsonDocument document;
    DocumentBuilder<Stream> builder(stream, file_label, sink, *document.arena);
    rapidjson::Reader reader;
    const auto parse_all = [&] { return reader.Parse<parse_flags<Stream>>(stream, builder); };
    rapidjson::ParseResult result;
    if (sink != nullptr) {
        ElementHandoff handoff(*sink);
        builder.hand_to(handoff);
        result = handoff.run(parse_all);
    } else {
        result = parse_all();
    }
    if (result) {
        document.root = builder.root();
        return document;
    }
    // A bad text stops the parse where the parser's own check would have:
    // whatever it met after it is not reported.
    if (const auto bad = bad_text_in(stream)) syntax_error(*bad, rapidjson::kParseErrorStringInvalidEncoding);
    const BuildFault& fault = builder.fault();
    if (result.Code() != rapidjson::kParseErrorTermination) syntax_error(result.Offset(), result.Code());
    if (fault.kind == BuildFault::Kind::overflow) syntax_error(fault.offset, rapidjson::kParseErrorNumberTooBig);
    if (fault.kind == BuildFault::Kind::located) located_error(fault.offset, fault.message);
    throw ProjectFileError(fault.message);
}

// An open file as the parser's input stream, a large piece at a time,
// telling how far it has read.
class FileStream {
public:
    using Ch = char;
    FileStream(std::FILE* file, const ReadProgress& progress) : pieces_(file), progress_(progress)
    {
        fill();
        if (std::string_view(current_, static_cast<std::size_t>(end_ - current_)).starts_with(byte_order_mark)) {
            current_ += byte_order_mark.size();
        }
    }

    Ch Peek() const { return current_ < end_ ? *current_ : '\0'; }
    Ch Take()
    {
        if (current_ == end_) return '\0';
        const Ch c = *current_++;
        if (current_ == end_) fill();
        return c;
    }
    std::size_t Tell() const { return consumed_ + static_cast<std::size_t>(current_ - begin_); }
    int error() const { return pieces_.error(); }

    // The parser's loops over whitespace and over a text's characters, run
    // here over the piece in hand instead of a Peek and a Take per byte:
    // they were two fifths of reading a project file. Each is called by the
    // parser through the overloads after this class.
    void skip_whitespace()
    {
        for (;;) {
            while (current_ < end_ && (*current_ == ' ' || *current_ == '\n' || *current_ == '\r' || *current_ == '\t'))
                ++current_;
            if (current_ < end_) return;
            fill();
            if (current_ == end_) return;
        }
    }
    // Copies to `out` the characters of a text up to its next quote,
    // backslash or control character, checking each UTF-8 sequence as the
    // parser's own check does; the first bad one is kept as bad_text() and
    // ends the copy. The parser is not asked to check texts itself (see
    // parse_flags), so no text goes unchecked.
    template <class Out>
    void copy_text(Out& out)
    {
        for (;;) {
            const std::size_t plain = json_plain_prefix({current_, static_cast<std::size_t>(end_ - current_)});
            if (plain > 0) {
                std::memcpy(out.Push(static_cast<rapidjson::SizeType>(plain)), current_, plain);
                current_ += plain;
            }
            if (current_ == end_) {
                fill();
                if (current_ == end_) return;
                continue;
            }
            if (static_cast<unsigned char>(*current_) < 0x80) return;
            const std::size_t offset = Tell();
            if (!rapidjson::UTF8<>::Validate(*this, out)) {
                if (!bad_text_) bad_text_ = offset;
                return;
            }
        }
    }
    // Where the first text that is not UTF-8 begins.
    std::optional<std::size_t> bad_text() const { return bad_text_; }

    // Not used by the reader.
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    std::size_t PutEnd(Ch*) { return 0; }

private:
    void fill()
    {
        consumed_ += static_cast<std::size_t>(end_ - begin_);
        const std::string_view piece = pieces_.fill();
        begin_ = current_ = piece.data();
        end_ = piece.data() + piece.size();
        if (progress_) progress_(consumed_);
    }

    FilePieces pieces_;
    const ReadProgress& progress_;
    const char* begin_ = nullptr;
    const char* current_ = nullptr;
    const char* end_ = nullptr;
    std::size_t consumed_ = 0;
    std::optional<std::size_t> bad_text_;
};

// Found by the parser's unqualified call, ahead of its own byte-at-a-time
// template.
void SkipWhitespace(FileStream& stream) { stream.skip_whitespace(); }

}  // namespace

JsonDocument parse_json_document(std::string_view text, const std::string& file_label, ElementSink* sink)
{
    const std::size_t skipped = text.starts_with(byte_order_mark) ? byte_order_mark.size() : 0;
    rapidjson::MemoryStream stream(text.data() + skipped, text.size() - skipped);
    return parse(
        stream, file_label, sink,
        [&](std::size_t offset, rapidjson::ParseErrorCode code) {
            throw_syntax_error(text, file_label, skipped + offset, code);
        },
        [&](std::size_t offset, const std::string& reason) {
            throw_at(file_label, line_and_column(text, skipped + offset), reason);
        });
}

}  // namespace qxhost

// The parser's scan of a text, which it makes only when it does not check
// texts itself, given to the file stream.
template <>
template <>
inline void rapidjson::Reader::ScanCopyUnescapedString(qxhost::FileStream& stream, rapidjson::Reader::StackStream<char>& out)
{
    stream.copy_text(out);
}

namespace qxhost {

JsonDocument parse_json_file(const std::string& path, ElementSink* sink, const ReadProgress& progress)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) cannot_read(path, errno);
    FileStream stream(file.get(), progress);
    const auto read_error = [&] {
        if (stream.error() != 0) cannot_read(path, stream.error());
    };
    JsonDocument document = parse(
        stream, path, sink,
        [&](std::size_t offset, rapidjson::ParseErrorCode code) {
            // A read error cuts the input short: that, not the parser's
            // view of the cut, is what went wrong.
            read_error();
            throw_file_syntax_error(path, offset, code);
        },
        [&](std::size_t offset, const std::string& reason) {
            read_error();
            throw_at(path, line_and_column_in_file(path, offset), reason);
        });
    read_error();
    return document;
}

}  // namespace qxhost
