// The message for a project file that is not JSON: its file, line and
// column, and what is wrong there, in the words of the JSON library that
// the reader has always used. The fast reader only finds that the text is
// not JSON; this reads it again, on that path only, to say why.
#ifndef QXHOST_PROJFILE_JSON_SYNTAX_ERROR_H
#define QXHOST_PROJFILE_JSON_SYNTAX_ERROR_H

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace qxhost {

// Throws ProjectFileError for the first syntax error of `text`, or, when
// the library finds none, for `reason` at byte `offset`.
[[noreturn]] void throw_syntax_error(std::string_view text, const std::string& file_label, std::size_t offset,
                                     const std::string& reason);
// The same for the file at `path`.
[[noreturn]] void throw_file_syntax_error(const std::string& path, std::size_t offset, const std::string& reason);

// 1-based line and column of the byte at `offset`; columns count characters,
// not the bytes of a multi-byte UTF-8 sequence.
std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset);
std::pair<std::size_t, std::size_t> line_and_column_in_file(const std::string& path, std::size_t offset);

// Throws ProjectFileError "FILE:LINE:COLUMN: reason" for `place`.
[[noreturn]] void throw_at(const std::string& file_label, std::pair<std::size_t, std::size_t> place,
                           const std::string& reason);

[[noreturn]] void cannot_read(const std::string& path, int error);

}  // namespace qxhost

#endif
