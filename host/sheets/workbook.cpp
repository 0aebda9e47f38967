#include "sheets/workbook.h"

namespace qxhost::sheets {

const Sheet* Workbook::sheet(std::string_view name) const
{
    for (const Sheet& found : sheets)
        if (found.name == name) return &found;
    return nullptr;
}

std::string column_letters(std::size_t column)
{
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

std::string a1_name(std::size_t column, std::size_t row) { return column_letters(column) + std::to_string(row); }

std::string cell_name(std::string_view sheet, std::size_t row, std::size_t column)
{
    // The header is row 1 of the sheet.
    return std::string(sheet) + "!" + a1_name(column, row + 2);
}

}  // namespace qxhost::sheets
