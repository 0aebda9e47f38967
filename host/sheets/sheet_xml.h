// A sheet's rows below its header as the XML of its worksheet part, written
// by hand: a large plant's sheets hold millions of cells, and writing them
// through libxlsxwriter (numbers through printf, every row to a temporary
// file and back) took most of the time of writing its workbook.
#ifndef QXHOST_SHEETS_SHEET_XML_H
#define QXHOST_SHEETS_SHEET_XML_H

#include <string>
#include <vector>

#include "sheets/workbook.h"

namespace qxhost::sheets {

// Appends to `out` a <row> for each of the sheet's rows, numbered from 2.
// A number is written in the fewest digits that read back as itself, with
// its column's style (`styles[c]`, the workbook's index of the column's
// number format, or -1 for none); a text as an inline string, with the
// characters XML cannot hold escaped as "_xHHHH_".
void append_rows_xml(const Sheet& sheet, const std::vector<int>& styles, std::string& out);

}  // namespace qxhost::sheets

#endif
