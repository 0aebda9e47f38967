// A workbook as an XLSX file: its frame written with libxlsxwriter (header
// notes, drop-down lists, frozen headers, filters), its rows by hand, and
// read back from its zip container and XML parts (libzip, libdeflate,
// pugixml), taking only what the sheets need: shared and inline strings,
// numbers, booleans and formulas' cached values.
#ifndef QXHOST_SHEETS_XLSX_FILE_H
#define QXHOST_SHEETS_XLSX_FILE_H

#include <filesystem>
#include <string>
#include <vector>

#include "sheets/workbook.h"

namespace qxhost::sheets {

// True when `path` names an XLSX workbook (by its extension).
bool is_xlsx_path(const std::filesystem::path& path);

// Writes the workbook to `path` whole or not at all: into a temporary file
// beside it, renamed into place once complete. Throws WorkbookError.
void write_xlsx(const Workbook& workbook, const std::filesystem::path& path);

// The sheets of `names` that the workbook holds, each with its header row
// as its columns. Throws WorkbookError naming the file.
Workbook read_xlsx(const std::filesystem::path& path, const std::vector<std::string>& names);

}  // namespace qxhost::sheets

#endif
