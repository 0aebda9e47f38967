// Writing JSON text as the project file lays it out, straight from the
// caller's data, without a document: indented by two spaces, keys in the
// order written, a container that holds only scalars on one line when that
// line is at most 100 characters, and every floating-point number in the
// shortest form that reads back as the same double.
#ifndef QXHOST_PROJFILE_JSON_WRITER_H
#define QXHOST_PROJFILE_JSON_WRITER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qxhost {

class JsonWriter {
public:
    // Texts go to `out`, appended.
    explicit JsonWriter(std::string& out) : out_(out) {}

    void begin_object() { begin(true); }
    void begin_array() { begin(false); }
    void end();
    // The key of the next member of the object being written.
    void key(std::string_view name);

    void string(std::string_view text);
    // Throws std::invalid_argument for a number that is not finite.
    void number(double value);
    void integer(std::int64_t value);
    void unsigned_integer(std::uint64_t value);
    void boolean(bool value);

private:
    // A container being written. Until it holds a container, its members
    // are kept as texts, as it may yet go on one line; the first container
    // in it, or its end with a line too long, writes it out indented.
    struct Frame {
        bool object = false;
        bool indented = false;
        std::size_t members = 0;
        std::vector<std::pair<std::string, std::string>> pending;  // key text, value text
        std::string pending_key;
    };

    void begin(bool object);
    void scalar(std::string text);
    // Writes `frame` (at depth `depth`) out indented, with what it kept.
    void indent_frame(Frame& frame, std::size_t depth);
    void start_member(Frame& frame, std::size_t depth, std::string_view key_text);
    void indent(std::size_t depth) { out_.append(depth * 2, ' '); }

    std::string& out_;
    std::vector<Frame> frames_;
};

// A text as a JSON string: escaped, and with U+FFFD in place of each byte
// sequence that is not UTF-8.
std::string json_string(std::string_view text);

}  // namespace qxhost

#endif
