#include "sheets/csv_folder.h"

#include "fileio/atomic_file.h"
#include "fileio/whole_file.h"
#include "model/slot_table.h"

namespace qxhost::sheets {

namespace {

void append_field(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void append_record(std::string& out, const std::vector<std::string_view>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        append_field(out, fields[i]);
    }
    out += "\r\n";
}

// The records of a CSV text: fields split at commas and line ends outside
// quotes, a doubled quote inside them standing for one.
std::vector<std::vector<std::string>> records_of(std::string_view text, const std::string& file)
{
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    std::size_t line = 1;
    std::size_t i = 0;
    // Blank lines stay records, so that a row is named where it stands.
    const auto end_record = [&] {
        record.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record.clear();
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' && field.empty()) {
            const std::size_t opened = line;
            ++i;
            for (;;) {
                if (i == text.size()) throw WorkbookError(file + ":" + std::to_string(opened) + ": a quote that is not closed");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') ++line;
                field += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                throw WorkbookError(file + ":" + std::to_string(line) + ": text after a closing quote");
            continue;
        }
        if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            end_record();
            ++line;
        } else {
            field += c;
        }
        ++i;
    }
    if (!field.empty() || !record.empty()) end_record();
    return records;
}

}  // namespace

std::string csv_text(const Sheet& sheet)
{
    std::string out;
    std::vector<std::string_view> fields;
    for (const Column& column : sheet.columns) fields.push_back(column.name);
    append_record(out, fields);
    std::vector<std::string> numbers;
    for (const auto& row : sheet.rows) {
        fields.clear();
        numbers.clear();
        numbers.reserve(row.size());
        for (const Cell& cell : row) {
            if (cell.kind == Cell::Kind::number) {
                numbers.push_back(shortest_number_text(cell.number));
                fields.push_back(numbers.back());
            } else {
                fields.push_back(cell.text);
            }
        }
        append_record(out, fields);
    }
    return out;
}

void write_csv_folder(const Workbook& workbook, const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw FileWriteError(folder.string() + ": cannot make it: " + error.message());
    for (const Sheet& sheet : workbook.sheets) write_file_atomically(folder / (sheet.name + ".csv"), csv_text(sheet));
}

Workbook read_csv_folder(const std::filesystem::path& folder, const std::vector<std::string>& names)
{
    Workbook workbook;
    for (const std::string& name : names) {
        const std::filesystem::path file = folder / (name + ".csv");
        std::error_code error;
        if (!std::filesystem::exists(file, error)) continue;
        const auto text = read_whole_file(file);
        if (!text) throw WorkbookError(file.string() + ": cannot read it");
        auto records = records_of(*text, file.string());
        Sheet& sheet = workbook.sheets.emplace_back();
        sheet.name = name;
        if (records.empty()) continue;
        for (std::string& header : records.front()) sheet.columns.push_back({std::move(header), {}, {}});
        for (std::size_t r = 1; r < records.size(); ++r) {
            auto& row = sheet.rows.emplace_back();
            for (std::string& field : records[r]) row.push_back(field.empty() ? Cell{} : Cell::of_text(std::move(field)));
        }
    }
    return workbook;
}

}  // namespace qxhost::sheets
