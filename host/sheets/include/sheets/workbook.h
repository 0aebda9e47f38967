// A workbook as tables of cells: what a project is written to and read from,
// whether the file is an XLSX workbook or a folder of CSV files.
#ifndef QXHOST_SHEETS_WORKBOOK_H
#define QXHOST_SHEETS_WORKBOOK_H

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qxhost::sheets {

// A cell holds nothing, a text or a number. A CSV file holds texts only:
// its reader gives every non-empty field as a text, and a column that
// wants a number reads one from the text.
struct Cell {
    enum class Kind { empty, text, number };
    Kind kind = Kind::empty;
    std::string text;
    double number = 0.0;

    static Cell of_text(std::string text) { return {Kind::text, std::move(text), 0.0}; }
    static Cell of_number(double number) { return {Kind::number, {}, number}; }
    bool empty() const { return kind == Kind::empty || (kind == Kind::text && text.empty()); }
};

// A sheet's first row is its header; a note says what a column means, for
// the workbook's header notes, and a drop-down list of the values it takes.
struct Column {
    std::string name;
    std::string note;
    std::vector<std::string> choices;
    std::string number_format = {};  // the workbook's format of its numbers, e.g. "#,##0.00"
};

// A bar chart of one column's numbers by another's texts, beside the table.
struct Chart {
    std::string title;
    std::size_t categories = 0;  // the column of the bars' names
    std::size_t values = 0;      // the column of their lengths
};

struct Sheet {
    std::string name;
    std::vector<Column> columns;
    std::vector<std::vector<Cell>> rows;  // below the header, each as long as `columns` or shorter
    std::optional<Chart> chart = {};
};

struct Workbook {
    std::vector<Sheet> sheets;
    const Sheet* sheet(std::string_view name) const;
};

// "D": the letters of 0-based `column`.
std::string column_letters(std::size_t column);
// "D14": the cell of 0-based `column` in 1-based `row` of the sheet.
std::string a1_name(std::size_t column, std::size_t row);
// "Streams!D14": the cell of 0-based `row` below the header and `column`.
std::string cell_name(std::string_view sheet, std::size_t row, std::size_t column);

// A workbook that cannot be read as a project; its message names the file
// and the cell.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace qxhost::sheets

#endif
