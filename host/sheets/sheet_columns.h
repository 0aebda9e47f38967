// The columns of each sheet of a project workbook, with the notes their
// headers carry and the values a drop-down list offers.
#ifndef QXHOST_SHEETS_SHEET_COLUMNS_H
#define QXHOST_SHEETS_SHEET_COLUMNS_H

#include <string_view>
#include <vector>

#include "sheets/workbook.h"

namespace qxhost::sheets {

// The Streams sheet's Utility column (DESCRIPTION), after Tag, Class, Ref ID
// and Stream name.
inline constexpr std::size_t stream_utility_column = 4;

// The sheets in the order a workbook holds them, each with its columns.
std::vector<Sheet> project_sheets();

}  // namespace qxhost::sheets

#endif
