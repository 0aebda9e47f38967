// Writing JSON text straight from the caller's data, without a document:
// indented by two spaces, keys in the order written, and each text with
// U+FFFD in place of bytes that are not UTF-8. The project file keeps a
// container that holds only scalars on one line when that line is at most
// 100 characters; the command's JSON output puts every member on a line of
// its own.
#ifndef QXHOST_JSON_JSON_WRITER_H
#define QXHOST_JSON_JSON_WRITER_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qxhost {

enum class JsonLayout {
    // A container of scalars on one line while that line is short.
    short_lines_joined,
    // Every member on a line of its own; only an empty container on one.
    member_per_line,
};

class JsonWriter {
public:
    // The text goes to `out`, appended; with `flush`, `out` is handed to it
    // whenever it has grown past a quarter megabyte, and emptied, so that a
    // large document never stands in memory whole. flush(out) after end() of the
    // document gives the rest.
    explicit JsonWriter(std::string& out, std::function<void(std::string&)> flush = {})
        : out_(out), flush_(std::move(flush))
    {
    }
    JsonWriter(std::string& out, JsonLayout layout)
        : out_(out), one_line_limit_(layout == JsonLayout::member_per_line ? 0 : joined_line_limit)
    {
    }

    void begin_object() { begin(true); }
    void begin_array() { begin(false); }
    void end();
    // The key of the next member of the object being written.
    JsonWriter& key(std::string_view name)
    {
        key_.assign(name);
        return *this;
    }

    void string(std::string_view text);
    // The shortest form that reads back as the same double ("100" for
    // 100.0). Throws std::invalid_argument for a number that is not finite.
    void number(double value);
    // As append_floating() writes it ("100.0"); null when not finite.
    void floating(double value);
    void integer(std::int64_t value);
    void unsigned_integer(std::uint64_t value);
    void boolean(bool value);
    void null();

    // How many keys and strings so far had bytes that are not UTF-8, which
    // were written as U+FFFD.
    std::size_t replaced_texts() const { return replaced_texts_; }

private:
    // A container being written. Until it holds a container, or its line
    // grows past the limit, it is kept as its one-line form, with where each
    // member's key and value stand in it; then it is written out indented.
    struct Member {
        std::size_t begin, end;  // in the line: from its key (or value) on
    };
    struct Frame {
        bool object = false;
        bool indented = false;
        std::size_t members = 0;
        std::string line;
        std::vector<Member> kept;
    };

    void begin(bool object);
    // A scalar: `append` writes its text where start_value() says.
    template <class Append>
    void scalar(Append append)
    {
        append(start_value());
        end_value();
    }
    // Writes the member's key where it goes and returns the text its value
    // is to be appended to.
    std::string& start_value();
    void end_value();
    void flush_if_full();
    void indent_frame(Frame& frame, std::size_t depth);
    void start_indented_member(Frame& frame, std::size_t depth);
    void open_line(const Frame& frame, std::size_t position, std::size_t depth);
    void indent(std::size_t depth) { out_.append(depth * 2, ' '); }

    std::string& out_;
    std::function<void(std::string&)> flush_;
    // A kept container's line, brackets included, is at most this long; with
    // none, a container is indented at its first member.
    static constexpr std::size_t joined_line_limit = 100;
    std::size_t one_line_limit_ = joined_line_limit;
    std::string key_;
    // Frames stay allocated when their containers end, for the next ones.
    std::vector<Frame> frames_;
    std::size_t depth_ = 0;
    std::size_t replaced_texts_ = 0;
};

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF): what a JSON text can carry as it is.
bool is_utf8(std::string_view text);

// How many bytes from the start of `text` a JSON string carries as they
// are: ASCII at or above the space, neither a quote nor a backslash.
std::size_t json_plain_prefix(std::string_view text);

// Appends `text` as a JSON string: escaped, and with U+FFFD in place of each
// byte sequence that is not UTF-8. True when it had such a sequence.
bool append_json_string(std::string& out, std::string_view text);
inline std::string json_string(std::string_view text)
{
    std::string quoted;
    append_json_string(quoted, text);
    return quoted;
}

// Appends `value` as a number that reads back as a floating-point one, never
// as an integer: its shortest digits that give the same double, in fixed
// notation with at least one decimal while its point falls within fifteen
// digits ("100.0", "0.001"), else with an exponent of at least two digits
// ("1e+20", "1.5e-07"). Throws std::invalid_argument for a number that is
// not finite.
void append_floating(std::string& out, double value);

}  // namespace qxhost

#endif
