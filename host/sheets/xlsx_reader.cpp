// Reading a workbook from its XLSX file: the zip container (zip_reader), the
// workbook, its relationships, the shared strings and each wanted sheet
// with pugixml. Only what a sheet of values needs is read: a cell's shared,
// inline or formula string, its number or boolean (a formula's cached
// value: the reader computes nothing), by its reference.
#include <cstdlib>
#include <map>
#include <memory>

#include <pugixml.hpp>

#include "model/slot_table.h"
#include "sheets/xlsx_file.h"
#include "two_threads.h"
#include "zip_reader.h"

namespace qxhost::sheets {

namespace {

pugi::xml_document parsed(const std::string& bytes, const std::string& name, const std::filesystem::path& path)
{
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!result) refuse(path, "its part " + name + " is not XML: " + result.description());
    return document;
}

// A text as the file keeps it: characters XML cannot hold are written
// "_xHHHH_" (and a literal "_x" as "_x005F_x").
std::string unescaped(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos) return std::string(text);
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
    explicit XlsxReader(const std::filesystem::path& path) : path_(path), archive_(open_archive(path)) {}

    // The container is read on this thread, in the sheets' order (libzip
    // reads on one); the sheets are inflated and parsed on two.
    Workbook read(const std::vector<std::string>& names)
    {
        shared_strings();
        const std::map<std::string, std::string> sheets = sheet_parts();
        std::vector<std::pair<std::string, StoredPart>> wanted;
        for (const std::string& name : names) {
            const auto found = sheets.find(name);
            if (found == sheets.end()) continue;
            auto stored = stored_part(archive_.get(), found->second, path_);
            if (!stored) refuse(path_, "its sheet " + name + " has no part " + found->second);
            wanted.emplace_back(name, std::move(*stored));
        }
        std::vector<std::size_t> sizes;
        for (const auto& [name, stored] : wanted) sizes.push_back(stored.size);
        Workbook workbook;
        workbook.sheets.resize(wanted.size());
        on_two_threads(sizes, [&](std::size_t i) {
            workbook.sheets[i] = sheet(wanted[i].first, inflated(std::move(wanted[i].second), path_));
        });
        return workbook;
    }

private:
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

    // The rows are parsed a megabyte at a time, each piece ending with a
    // row: a document of a whole large sheet would hold several times its
    // bytes in nodes, and allocating them took most of the time. A piece
    // cut inside a comment or CDATA section (which no spreadsheet writes
    // around a row's end) fails to parse, and the workbook is refused.
    Sheet sheet(const std::string& name, std::string bytes) const
    {
        Sheet sheet;
        sheet.name = name;
        std::vector<std::vector<Cell>> rows;
        const std::size_t open = bytes.find("<sheetData");
        const std::size_t close = bytes.rfind("</sheetData>");
        if (open == std::string::npos || close == std::string::npos || close < open) {
            // No rows, or a sheet written some other way: read it whole.
            parsed(bytes, name, path_);
            return sheet;
        }
        const std::size_t body = bytes.find('>', open) + 1;
        constexpr std::size_t piece_bytes = std::size_t{1} << 20;
        std::size_t next_row = 0;
        pugi::xml_document document;
        for (std::size_t start = body; start < close;) {
            std::size_t end = close;
            if (close - start > piece_bytes) {
                const std::size_t row_end = bytes.find("</row>", start + piece_bytes);
                if (row_end < close) end = row_end + 6;
            }
            const pugi::xml_parse_result result = document.load_buffer_inplace(
                bytes.data() + start, end - start, pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_fragment);
            if (!result) refuse(path_, "its sheet " + name + " is not XML: " + result.description());
            for (const pugi::xml_node row : document.children("row")) read_row(row, name, rows, next_row);
            start = end;
        }
        if (rows.empty()) return sheet;
        for (const Cell& header : rows.front())
            sheet.columns.push_back(
                {header.kind == Cell::Kind::number ? shortest_number_text(header.number) : header.text, {}, {}});
        sheet.rows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
        return sheet;
    }

    void read_row(const pugi::xml_node& row, const std::string& name, std::vector<std::vector<Cell>>& rows,
                  std::size_t& next_row) const
    {
        std::size_t row_index = next_row;
        if (const pugi::xml_attribute r = row.attribute("r")) row_index = static_cast<std::size_t>(r.as_ullong()) - 1;
        next_row = row_index + 1;
        if (rows.size() <= row_index) rows.resize(row_index + 1);
        std::size_t next_column = 0;
        auto& cells = rows[row_index];
        for (const pugi::xml_node cell : row.children("c")) {
            std::size_t column = next_column, at_row = row_index;
            if (const pugi::xml_attribute r = cell.attribute("r"); r && !reference(r.value(), column, at_row))
                refuse(path_, name + "!" + r.value() + ": not a cell reference");
            next_column = column + 1;
            if (cells.size() <= column) cells.resize(column + 1);
            cells[column] = value(cell, name);
        }
    }

    Cell value(const pugi::xml_node& cell, const std::string& sheet) const
    {
        const std::string_view type = cell.attribute("t").value();
        const pugi::xml_node v = cell.child("v");
        if (type == "inlineStr") return Cell::of_text(item_text(cell.child("is")));
        if (!v) return Cell{};
        const char* const raw = v.text().get();
        const std::string_view text = raw;
        if (type == "s") {
            const auto index = static_cast<std::size_t>(std::strtoull(raw, nullptr, 10));
            if (index >= strings_.size()) refuse(path_, sheet + "!" + cell.attribute("r").value() + ": no such shared string");
            return Cell::of_text(strings_[index]);
        }
        if (type == "str") return Cell::of_text(unescaped(text));
        if (type == "b") return Cell::of_text(text == "1" ? "TRUE" : "FALSE");
        if (type == "e")
            refuse(path_, sheet + "!" + cell.attribute("r").value() + ": the cell holds the error " + std::string(text));
        char* end = nullptr;
        const double number = std::strtod(raw, &end);
        if (end == raw) return Cell::of_text(std::string(text));
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
