// The message for a project file that is not JSON: its file, line and
// column, what the parser found wrong there, and a short excerpt of the text
// around that place.
#ifndef QXHOST_PROJFILE_JSON_SYNTAX_ERROR_H
#define QXHOST_PROJFILE_JSON_SYNTAX_ERROR_H

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include <rapidjson/error/error.h>

namespace qxhost {

// Throws ProjectFileError "FILE:LINE:COLUMN: syntax error: WHAT, near
// 'EXCERPT'" for the parser's fault `code` at byte `offset` of `text`; a
// number out of range says "number overflow" instead of "syntax error".
[[noreturn]] void throw_syntax_error(std::string_view text, const std::string& file_label, std::size_t offset,
                                     rapidjson::ParseErrorCode code);
// The same for the file at `path`, read again up to a little past `offset`.
[[noreturn]] void throw_file_syntax_error(const std::string& path, std::size_t offset, rapidjson::ParseErrorCode code);

// 1-based line and column of the byte at `offset`; columns count characters,
// not the bytes of a multi-byte UTF-8 sequence, and a leading byte order mark
// counts as none, as an editor shows none.
std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset);
std::pair<std::size_t, std::size_t> line_and_column_in_file(const std::string& path, std::size_t offset);

// Throws ProjectFileError "FILE:LINE:COLUMN: reason" for `place`.
[[noreturn]] void throw_at(const std::string& file_label, std::pair<std::size_t, std::size_t> place,
                           const std::string& reason);

[[noreturn]] void cannot_read(const std::string& path, int error);

}  // namespace qxhost

#endif
