#include "sheets/workbook.h"

namespace qxhost::sheets {

const Sheet* Workbook::sheet(std::string_view name) const
{
    for (const Sheet& found : sheets)
        if (found.name == name) return &found;
    return nullptr;
}

std::string cell_name(std::string_view sheet, std::size_t row, std::size_t column)
{
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    // The header is row 1 of the sheet.
    return std::string(sheet) + "!" + letters + std::to_string(row + 2);
}

}  // namespace qxhost::sheets
