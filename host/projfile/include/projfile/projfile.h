// The project file: reading a JSON project into the host's workspace model,
// and writing the model back (the state file).
#ifndef QXHOST_PROJFILE_H
#define QXHOST_PROJFILE_H

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"

namespace qxhost {

// A project file that cannot be read or is not valid. what() is the whole
// message: "FILE:LINE:COLUMN: what is wrong" for a syntax error,
// "FILE: at /json/pointer: what is wrong" for a value that is not valid,
// "FILE: cannot read: reason" when the file cannot be opened.
class ProjectFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads and validates a project file. Fills the default cost rows when the
// file has none. Throws ProjectFileError. `progress`, when given, is told
// how many bytes have been read, now and then.
std::unique_ptr<Project> read_project_file(const std::string& path,
                                           const std::function<void(std::uint64_t)>& progress = {});
// The same from a text; `file_label` names it in messages.
std::unique_ptr<Project> parse_project(std::string_view text, const std::string& file_label);

// The project as a project file (format "tovex-project/1"), with every slot,
// entry, database and cost row as it now stands. Ends with a line feed.
// Texts that are not valid UTF-8 are written with U+FFFD for their bad bytes,
// each with a warning.
std::string write_project_json(const Project& project);
// The same text handed to `write` a piece at a time, a megabyte or so
// each, so that a large project's text never stands in memory whole.
void write_project_json(const Project& project, const std::function<void(std::string_view)>& write);

// Warns (among the host's warnings) when `text`, at `place` ("OBJECT /
// SLOT"), is not valid UTF-8 and so is written into `output` with U+FFFD in
// place of its bad bytes: the data is changed, and the user must know.
void warn_unless_utf8(std::string_view text, std::string_view place, std::string_view output);
// The same for each text of a cost row ("cost row NAME / value", ...).
void warn_unless_utf8(const CostRow& row, std::string_view output);

}  // namespace qxhost

#endif
