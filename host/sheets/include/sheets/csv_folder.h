// A workbook as a folder of CSV files, one per sheet, named after it
// ("Streams.csv"): UTF-8, RFC 4180, the header on the first line. For
// pandas, R, and tables kept under version control.
#ifndef QXHOST_SHEETS_CSV_FOLDER_H
#define QXHOST_SHEETS_CSV_FOLDER_H

#include <filesystem>
#include <vector>

#include "sheets/workbook.h"

namespace qxhost::sheets {

// The sheets of `names` that the folder has a file for, each cell a text
// (empty fields are empty cells; a blank line is a blank row). Throws
// WorkbookError naming the file and line of a field that is not RFC 4180.
Workbook read_csv_folder(const std::filesystem::path& folder, const std::vector<std::string>& names);

// Every sheet as a file of the folder, made when missing; each file is
// written whole or not at all. Throws FileWriteError.
void write_csv_folder(const Workbook& workbook, const std::filesystem::path& folder);

// A sheet as CSV text: the header, then the rows; numbers in their
// shortest form.
std::string csv_text(const Sheet& sheet);

}  // namespace qxhost::sheets

#endif
