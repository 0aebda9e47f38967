// Writing a workbook in two steps. libxlsxwriter writes its frame, every
// sheet with its header row and all that goes with it (header notes,
// drop-down lists, column widths, frozen panes, filters, charts, styles),
// into a temporary file. The rows below each header are then written by
// hand into the frame's sheets (sheet_xml), and the parts deflated into the
// workbook (zip_writer): together a tenth of the time the library took for
// a large plant. A number is written in the fewest digits that read back as
// itself, so a project written and read back is the same.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include <xlsxwriter.h>

#include "sheet_xml.h"
#include "sheets/xlsx_file.h"
#include "zip_reader.h"
#include "zip_writer.h"

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

class FrameWriter {
public:
    FrameWriter(const std::filesystem::path& path, const std::filesystem::path& temporary)
        : path_(path), book_(new_workbook(temporary))
    {
        if (book_ == nullptr) throw WorkbookError(path.string() + ": cannot write it");
        header_ = workbook_add_format(book_);
        format_set_bold(header_);
        format_set_bg_color(header_, 0xEEEEEE);
    }
    ~FrameWriter()
    {
        // A workbook not closed on purpose is closed here, and its file
        // removed by the caller.
        if (book_ != nullptr) workbook_close(book_);
    }
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    // Returns each sheet's style of each column's numbers.
    std::vector<std::vector<int>> write(const Workbook& workbook)
    {
        std::vector<std::vector<int>> styles;
        for (const Sheet& sheet : workbook.sheets) styles.push_back(write(sheet));
        lxw_workbook* book = std::exchange(book_, nullptr);
        check(workbook_close(book), path_);
        return styles;
    }

private:
    // The header is written as inline strings, as the rows are, so that
    // the workbook has no table of shared strings.
    static lxw_workbook* new_workbook(const std::filesystem::path& temporary)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        return workbook_new_opt(temporary.c_str(), &options);
    }

    std::vector<int> write(const Sheet& sheet)
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
        std::vector<int> styles(sheet.columns.size(), -1);
        for (std::size_t c = 0; c < sheet.columns.size(); ++c)
            if (!sheet.columns[c].number_format.empty())
                styles[c] = lxw_format_get_xf_index(number_format(sheet.columns[c].number_format));
        for (const std::vector<Cell>& cells : sheet.rows)
            for (std::size_t c = 0; c < std::min(cells.size(), widths.size()); ++c)
                if (cells[c].kind == Cell::Kind::text)
                    widths[c] = std::max(widths[c], std::min<std::size_t>(cells[c].text.size() + 2, 50));
        for (std::size_t c = 0; c < widths.size(); ++c)
            worksheet_set_column(page, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 static_cast<double>(widths[c]), nullptr);
        if (sheet.chart && !sheet.rows.empty()) chart(page, sheet);
        worksheet_freeze_panes(page, 1, 0);
        if (!sheet.columns.empty())
            worksheet_autofilter(page, 0, 0, static_cast<lxw_row_t>(std::max<std::size_t>(sheet.rows.size(), 1)),
                                 static_cast<lxw_col_t>(sheet.columns.size() - 1));
        return styles;
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
            return "='" + sheet.name + "'!" + a1_name(column, 2) + ":" + a1_name(column, sheet.rows.size() + 1);
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
};

// The frame's sheet with its rows below the header, and its dimension
// taking them in.
std::string with_rows(const std::string& frame, const Sheet& sheet, const std::vector<int>& styles)
{
    std::size_t columns = sheet.columns.size();
    for (const auto& cells : sheet.rows) columns = std::max(columns, cells.size());
    std::string out;
    out.reserve(frame.size() + sheet.rows.size() * (24 + 40 * columns));
    std::size_t from = 0;
    constexpr std::string_view dimension = "<dimension ref=\"";
    if (const std::size_t at = frame.find(dimension); at != std::string::npos && columns > 0) {
        const std::size_t value = at + dimension.size();
        out.append(frame, 0, value);
        out += "A1:" + a1_name(columns - 1, sheet.rows.size() + 1);
        from = frame.find('"', value);
    }
    // The rows go where the sheet's data ends: before "</sheetData>", or in
    // place of an empty "<sheetData/>" (each twelve characters).
    constexpr std::size_t tag_length = 12;
    const std::size_t empty = frame.find("<sheetData/>", from);
    const std::size_t close = empty != std::string::npos ? empty : frame.find("</sheetData>", from);
    if (close == std::string::npos) throw std::logic_error("a sheet of the frame has no rows' place");
    out.append(frame, from, close - from);
    if (empty != std::string::npos) out += "<sheetData>";
    append_rows_xml(sheet, styles, out);
    out += "</sheetData>";
    out.append(frame, close + tag_length);
    return out;
}

}  // namespace

bool is_xlsx_path(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".xlsx";
}

void write_xlsx(const Workbook& workbook, const std::filesystem::path& path)
{
    const std::filesystem::path frame = path.string() + ".frame-" + std::to_string(::getpid()) + ".xlsx";
    try {
        const std::vector<std::vector<int>> styles = FrameWriter(path, frame).write(workbook);
        std::vector<ZipPart> parts;
        // The frame's parts are small: no sheet holds its rows yet.
        std::vector<std::pair<std::string, std::string>> frame_parts;
        try {
            frame_parts = every_part(open_archive(frame).get(), frame);
        } catch (const WorkbookError& error) {
            throw WorkbookError(path.string() + ": cannot write it: its frame does not read back (" + error.what() + ")");
        }
        for (auto& [name, bytes] : frame_parts) {
            const auto frame_bytes = std::make_shared<const std::string>(std::move(bytes));
            ZipPart part{name, [frame_bytes] { return *frame_bytes; }, frame_bytes->size()};
            for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
                if (name != "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml") continue;
                const Sheet& sheet = workbook.sheets[i];
                part.bytes = [frame_bytes, &sheet, &style = styles[i]] { return with_rows(*frame_bytes, sheet, style); };
                part.weight += sheet.rows.size() * std::max<std::size_t>(sheet.columns.size(), 1) * 32;
            }
            parts.push_back(std::move(part));
        }
        std::filesystem::remove(frame);
        write_zip(path, parts);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(frame, ignored);
        throw;
    }
}

}  // namespace qxhost::sheets
