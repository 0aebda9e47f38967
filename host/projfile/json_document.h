// Parsing the text of a project file into JSON values, with the checks
// that a plain parse leaves out: two keys of one name inside one object,
// values nested deeper than a project file ever needs, texts holding U+0000,
// and the line and column of a syntax error.
#ifndef QXHOST_PROJFILE_JSON_DOCUMENT_H
#define QXHOST_PROJFILE_JSON_DOCUMENT_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "projfile/json_value.h"

namespace qxhost {

// Takes the elements of chosen arrays of the top-level object as the parser
// completes each one, so that a large document never stands in memory whole.
// The document keeps those arrays, empty. The parser runs in a thread of
// its own while take() runs in the caller's, in file order: streams() and
// holds_nul(), called by the parser, must not read what take() changes.
class ElementSink {
public:
    virtual ~ElementSink() = default;
    // True for the top-level keys whose array elements go to take().
    virtual bool streams(std::string_view key) const = 0;
    // The element at `index` of the array under `key`; its values are
    // dropped after.
    virtual void take(std::string_view key, std::size_t index, const JsonValue& element) = 0;
    // True for the top-level keys whose string may hold U+0000 (file
    // contents); everywhere else a NUL would be cut where the host hands the
    // text on, so it is refused.
    virtual bool holds_nul(std::string_view /*key*/) const { return false; }
};

// Containers nest at most this deep; a project file needs six levels.
constexpr std::size_t max_json_depth = 32;

// A parsed document: its root, and the arena its values stand in.
struct JsonDocument {
    std::unique_ptr<JsonArena> arena = std::make_unique<JsonArena>();
    JsonValue root;
};

// Told how far the parser has read, now and then, for a progress display;
// with a sink, from the parser's thread.
using ReadProgress = std::function<void(std::uint64_t bytes_read)>;

// The document in `text`, keys in file order. Throws ProjectFileError naming
// `file_label` with the line and column of a syntax error, or the JSON
// Pointer of a key that an object already holds.
JsonDocument parse_json_document(std::string_view text, const std::string& file_label, ElementSink* sink = nullptr);
// The same, read from the file at `path` as it is parsed; a file that cannot
// be read throws ProjectFileError too.
JsonDocument parse_json_file(const std::string& path, ElementSink* sink, const ReadProgress& progress = {});

// `token` as one reference token of a JSON Pointer ("~" as "~0", "/" as "~1").
std::string pointer_token(std::string_view token);

// A text as a message quotes it: in double quotes, cut after a few dozen
// characters (the cut said so, with the whole length), so that no input makes
// a message long.
std::string quoted_excerpt(std::string_view text);
// A value as a message shows it: a string as quoted_excerpt(), other scalars
// as written, and an array or an object by its kind only.
std::string value_excerpt(const JsonValue& value);
// A JSON Pointer as a message shows it: each reference token cut as
// quoted_excerpt() cuts a text.
std::string pointer_excerpt(std::string_view pointer);

}  // namespace qxhost

#endif
