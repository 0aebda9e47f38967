// Reading a workbook from its XLSX file: the zip container with libzip, the
// workbook, its relationships, the shared strings and each wanted sheet
// with pugixml. Only what a sheet of values needs is read: a cell's shared,
// inline or formula string, its number or boolean (a formula's cached
// value: the reader computes nothing), by its reference.
#include <cstdlib>
#include <map>
#include <memory>

#include <pugixml.hpp>
#include <zip.h>

#include "model/slot_table.h"
#include "sheets/xlsx_file.h"

namespace qxhost::sheets {

namespace {

using Archive = std::unique_ptr<zip_t, decltype(&zip_discard)>;

[[noreturn]] void refuse(const std::filesystem::path& path, const std::string& why)
{
    throw WorkbookError(path.string() + ": " + why);
}

// A part of the container, whole; empty when the workbook has no such part.
std::optional<std::string> part(zip_t* archive, const std::string& name, const std::filesystem::path& path)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0) return std::nullopt;
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen(archive, name.c_str(), 0), &zip_fclose);
    if (!file) refuse(path, "cannot read its part " + name);
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    std::size_t read = 0;
    while (read < bytes.size()) {
        const zip_int64_t got = zip_fread(file.get(), bytes.data() + read, bytes.size() - read);
        if (got <= 0) refuse(path, "cannot read its part " + name);
        read += static_cast<std::size_t>(got);
    }
    return bytes;
}

pugi::xml_document parsed(const std::string& bytes, const std::string& name, const std::filesystem::path& path)
{
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
    if (!result) refuse(path, "its part " + name + " is not XML: " + result.description());
    return document;
}

// A text as the file keeps it: characters XML cannot hold are written
// "_xHHHH_" (and a literal "_x" as "_x005F_x").
std::string unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            char* end = nullptr;
            const std::string hex(text.substr(i + 2, 4));
            const long code = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 4) {
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12));
                    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The text of a string item: its <t>, or its rich text runs' <t>s.
std::string item_text(const pugi::xml_node& item)
{
    if (const pugi::xml_node t = item.child("t")) return unescaped(t.text().get());
    std::string text;
    for (const pugi::xml_node run : item.children("r")) text += unescaped(run.child("t").text().get());
    return text;
}

// "D14": column 3 (0-based) and row 13; false when it is not a reference.
bool reference(std::string_view text, std::size_t& column, std::size_t& row)
{
    std::size_t i = 0;
    column = 0;
    while (i < text.size() && text[i] >= 'A' && text[i] <= 'Z') column = column * 26 + static_cast<std::size_t>(text[i++] - 'A' + 1);
    if (i == 0 || i == text.size()) return false;
    row = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        row = row * 10 + static_cast<std::size_t>(text[i] - '0');
    }
    if (row == 0) return false;
    --column;
    --row;
    return true;
}

class XlsxReader {
public:
    explicit XlsxReader(const std::filesystem::path& path) : path_(path), archive_(open(path)) {}

    Workbook read(const std::vector<std::string>& names)
    {
        shared_strings();
        const std::map<std::string, std::string> sheets = sheet_parts();
        Workbook workbook;
        for (const std::string& name : names) {
            const auto found = sheets.find(name);
            if (found != sheets.end()) workbook.sheets.push_back(sheet(name, found->second));
        }
        return workbook;
    }

private:
    static Archive open(const std::filesystem::path& path)
    {
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
        if (archive == nullptr) {
            zip_error_t why;
            zip_error_init_with_code(&why, error);
            const std::string text = zip_error_strerror(&why);
            zip_error_fini(&why);
            refuse(path, "cannot read it as a workbook: " + text);
        }
        return Archive(archive, &zip_discard);
    }

    void shared_strings()
    {
        const auto bytes = part(archive_.get(), "xl/sharedStrings.xml", path_);
        if (!bytes) return;
        const pugi::xml_document document = parsed(*bytes, "xl/sharedStrings.xml", path_);
        for (const pugi::xml_node item : document.child("sst").children("si")) strings_.push_back(item_text(item));
    }

    // Each sheet's name and the part that holds it.
    std::map<std::string, std::string> sheet_parts()
    {
        const auto workbook = part(archive_.get(), "xl/workbook.xml", path_);
        const auto relations = part(archive_.get(), "xl/_rels/workbook.xml.rels", path_);
        if (!workbook || !relations) refuse(path_, "not a workbook (it has no xl/workbook.xml)");
        const pugi::xml_document book = parsed(*workbook, "xl/workbook.xml", path_);
        const pugi::xml_document links = parsed(*relations, "xl/_rels/workbook.xml.rels", path_);
        std::map<std::string, std::string> targets;
        for (const pugi::xml_node link : links.child("Relationships").children("Relationship")) {
            std::string target = link.attribute("Target").value();
            target = target.starts_with("/") ? target.substr(1) : "xl/" + target;
            targets[link.attribute("Id").value()] = target;
        }
        std::map<std::string, std::string> sheets;
        for (const pugi::xml_node sheet : book.child("workbook").child("sheets").children("sheet"))
            sheets[sheet.attribute("name").value()] = targets[sheet.attribute("r:id").value()];
        return sheets;
    }

    Sheet sheet(const std::string& name, const std::string& part_name)
    {
        const auto bytes = part(archive_.get(), part_name, path_);
        if (!bytes) refuse(path_, "its sheet " + name + " has no part " + part_name);
        const pugi::xml_document document = parsed(*bytes, part_name, path_);
        Sheet sheet;
        sheet.name = name;
        std::vector<std::vector<Cell>> rows;
        std::size_t next_row = 0;
        for (const pugi::xml_node row : document.child("worksheet").child("sheetData").children("row")) {
            std::size_t row_index = next_row;
            if (const pugi::xml_attribute r = row.attribute("r")) row_index = static_cast<std::size_t>(r.as_ullong()) - 1;
            next_row = row_index + 1;
            if (rows.size() <= row_index) rows.resize(row_index + 1);
            std::size_t next_column = 0;
            for (const pugi::xml_node cell : row.children("c")) {
                std::size_t column = next_column, at_row = row_index;
                if (const pugi::xml_attribute r = cell.attribute("r"); r && !reference(r.value(), column, at_row))
                    refuse(path_, name + "!" + r.value() + ": not a cell reference");
                next_column = column + 1;
                auto& cells = rows[row_index];
                if (cells.size() <= column) cells.resize(column + 1);
                cells[column] = value(cell, name);
            }
        }
        if (rows.empty()) return sheet;
        for (const Cell& header : rows.front())
            sheet.columns.push_back(
                {header.kind == Cell::Kind::number ? shortest_number_text(header.number) : header.text, {}, {}});
        sheet.rows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
        return sheet;
    }

    Cell value(const pugi::xml_node& cell, const std::string& sheet)
    {
        const std::string type = cell.attribute("t").value();
        const pugi::xml_node v = cell.child("v");
        if (type == "inlineStr") return Cell::of_text(item_text(cell.child("is")));
        if (!v) return Cell{};
        const std::string text = v.text().get();
        if (type == "s") {
            const auto index = static_cast<std::size_t>(std::strtoull(text.c_str(), nullptr, 10));
            if (index >= strings_.size()) refuse(path_, sheet + "!" + cell.attribute("r").value() + ": no such shared string");
            return Cell::of_text(strings_[index]);
        }
        if (type == "str") return Cell::of_text(unescaped(text));
        if (type == "b") return Cell::of_text(text == "1" ? "TRUE" : "FALSE");
        if (type == "e") refuse(path_, sheet + "!" + cell.attribute("r").value() + ": the cell holds the error " + text);
        char* end = nullptr;
        const double number = std::strtod(text.c_str(), &end);
        if (end == text.c_str()) return Cell::of_text(text);
        return Cell::of_number(number);
    }

    const std::filesystem::path& path_;
    Archive archive_;
    std::vector<std::string> strings_;
};

}  // namespace

Workbook read_xlsx(const std::filesystem::path& path, const std::vector<std::string>& names)
{
    return XlsxReader(path).read(names);
}

}  // namespace qxhost::sheets
