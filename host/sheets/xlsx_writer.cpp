// Writing a workbook with libxlsxwriter. The library keeps each number to
// sixteen significant digits; in a workbook that asks for exact numbers, a
// number that needs seventeen to read back as itself is written as its
// shortest text, which the reader takes as the same number, so that a
// project written and read back is the same.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include <xlsxwriter.h>

#include "model/slot_table.h"
#include "sheets/xlsx_file.h"

namespace qxhost::sheets {

namespace {

// A drop-down list offers the column's choices; anything else may still be
// typed, with a warning. The choices are given in the list itself (Excel
// takes up to 255 characters): a list drawn from a range of cells leaks in
// the library's version that Debian ships.
constexpr lxw_row_t validated_rows = 5000;
constexpr std::size_t list_characters = 255;

void check(lxw_error error, const std::filesystem::path& path)
{
    if (error != LXW_NO_ERROR) throw WorkbookError(path.string() + ": cannot write it: " + lxw_strerror(error));
}

bool needs_text(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.16G", value);
    return std::strtod(text, nullptr) != value;
}

class XlsxWriter {
public:
    XlsxWriter(const std::filesystem::path& path, const std::filesystem::path& temporary)
        : path_(path), book_(new_workbook(temporary))
    {
        if (book_ == nullptr) throw WorkbookError(path.string() + ": cannot write it");
        header_ = workbook_add_format(book_);
        format_set_bold(header_);
        format_set_bg_color(header_, 0xEEEEEE);
    }
    ~XlsxWriter()
    {
        // A workbook not closed on purpose is closed here, and its file
        // removed by the caller.
        if (book_ != nullptr) workbook_close(book_);
    }
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    void write(const Workbook& workbook)
    {
        exact_numbers_ = workbook.exact_numbers;
        for (const Sheet& sheet : workbook.sheets) write(sheet);
        lxw_workbook* book = std::exchange(book_, nullptr);
        check(workbook_close(book), path_);
    }

private:
    // Rows are written once, in order: the library then streams each to a
    // file of its own instead of keeping every cell, and writes texts in
    // place instead of looking each up in one table of shared strings,
    // which took most of the time of writing a large plant.
    static lxw_workbook* new_workbook(const std::filesystem::path& temporary)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        return workbook_new_opt(temporary.c_str(), &options);
    }

    void write(const Sheet& sheet)
    {
        lxw_worksheet* page = workbook_add_worksheet(book_, sheet.name.c_str());
        if (page == nullptr) throw WorkbookError(path_.string() + ": cannot add the sheet " + sheet.name);
        std::vector<std::size_t> widths(sheet.columns.size(), 8);
        for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
            const Column& column = sheet.columns[c];
            const auto col = static_cast<lxw_col_t>(c);
            check(worksheet_write_string(page, 0, col, column.name.c_str(), header_), path_);
            if (!column.note.empty()) check(worksheet_write_comment(page, 0, col, column.note.c_str()), path_);
            widths[c] = std::max(widths[c], column.name.size() + 2);
            validate(page, col, column);
        }
        std::vector<lxw_format*> formats(sheet.columns.size(), nullptr);
        for (std::size_t c = 0; c < sheet.columns.size(); ++c)
            if (!sheet.columns[c].number_format.empty()) formats[c] = number_format(sheet.columns[c].number_format);
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const auto row = static_cast<lxw_row_t>(r + 1);
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const Cell& cell = sheet.rows[r][c];
                const auto col = static_cast<lxw_col_t>(c);
                if (cell.kind == Cell::Kind::number && !(exact_numbers_ && needs_text(cell.number))) {
                    check(worksheet_write_number(page, row, col, cell.number, c < formats.size() ? formats[c] : nullptr),
                          path_);
                } else if (!cell.empty()) {
                    const std::string text =
                        cell.kind == Cell::Kind::number ? shortest_number_text(cell.number) : cell.text;
                    check(worksheet_write_string(page, row, col, text.c_str(), nullptr), path_);
                    if (c < widths.size()) widths[c] = std::max(widths[c], std::min<std::size_t>(text.size() + 2, 50));
                }
            }
        }
        for (std::size_t c = 0; c < widths.size(); ++c)
            worksheet_set_column(page, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 static_cast<double>(widths[c]), nullptr);
        if (sheet.chart && !sheet.rows.empty()) chart(page, sheet);
        worksheet_freeze_panes(page, 1, 0);
        if (!sheet.columns.empty())
            worksheet_autofilter(page, 0, 0, static_cast<lxw_row_t>(std::max<std::size_t>(sheet.rows.size(), 1)),
                                 static_cast<lxw_col_t>(sheet.columns.size() - 1));
    }

    lxw_format* number_format(const std::string& text)
    {
        auto& format = formats_[text];
        if (format == nullptr) {
            format = workbook_add_format(book_);
            format_set_num_format(format, text.c_str());
        }
        return format;
    }

    // A bar chart of the sheet's rows, to the right of its table.
    void chart(lxw_worksheet* page, const Sheet& sheet)
    {
        lxw_chart* bars = workbook_add_chart(book_, LXW_CHART_BAR);
        const auto range = [&](std::size_t column) {
            const std::string first = cell_name(sheet.name, 0, column);
            const std::string last = cell_name(sheet.name, sheet.rows.size() - 1, column);
            const std::string quoted = "'" + sheet.name + "'!";
            return "=" + quoted + first.substr(first.find('!') + 1) + ":" + last.substr(last.find('!') + 1);
        };
        const std::string categories = range(sheet.chart->categories);
        const std::string values = range(sheet.chart->values);
        lxw_chart_series* series = chart_add_series(bars, categories.c_str(), values.c_str());
        chart_series_set_name(series, sheet.columns[sheet.chart->values].name.c_str());
        chart_title_set_name(bars, sheet.chart->title.c_str());
        chart_legend_set_position(bars, LXW_CHART_LEGEND_NONE);
        check(worksheet_insert_chart(page, 1, static_cast<lxw_col_t>(sheet.columns.size() + 1), bars), path_);
    }

    void validate(lxw_worksheet* page, lxw_col_t col, const Column& column)
    {
        if (column.choices.empty()) return;
        std::vector<char*> list;
        std::size_t characters = 0;
        for (const std::string& choice : column.choices) {
            characters += choice.size() + 1;
            if (characters > list_characters) break;
            list.push_back(const_cast<char*>(choice.c_str()));
        }
        list.push_back(nullptr);
        lxw_data_validation validation{};
        validation.validate = LXW_VALIDATION_TYPE_LIST;
        validation.error_type = LXW_VALIDATION_ERROR_TYPE_WARNING;
        validation.value_list = list.data();
        check(worksheet_data_validation_range(page, 1, col, validated_rows, col, &validation), path_);
    }

    const std::filesystem::path& path_;
    lxw_workbook* book_;
    lxw_format* header_ = nullptr;
    std::map<std::string, lxw_format*> formats_;
    bool exact_numbers_ = false;
};

}  // namespace

bool is_xlsx_path(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".xlsx";
}

void write_xlsx(const Workbook& workbook, const std::filesystem::path& path)
{
    const std::filesystem::path temporary = path.string() + ".tmp-" + std::to_string(::getpid()) + ".xlsx";
    try {
        XlsxWriter(path, temporary).write(workbook);
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (error) throw WorkbookError(path.string() + ": cannot write it: " + error.message());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
}

}  // namespace qxhost::sheets
