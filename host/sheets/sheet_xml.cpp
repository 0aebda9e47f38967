#include "sheet_xml.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace qxhost::sheets {

namespace {

void append_number(std::string& out, std::uint64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "_x0041_" in a text would read back as "A": its underscore is escaped.
bool looks_escaped(std::string_view text, std::size_t i)
{
    return i + 6 < text.size() && text[i + 1] == 'x' && is_hex(text[i + 2]) && is_hex(text[i + 3]) &&
           is_hex(text[i + 4]) && is_hex(text[i + 5]) && text[i + 6] == '_';
}

void append_escaped(std::string& out, std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::size_t plain = 0;  // the start of the run of bytes copied as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const char* entity = nullptr;
        if (c == '&') entity = "&amp;";
        else if (c == '<') entity = "&lt;";
        else if (c == '>') entity = "&gt;";
        // XML holds no other control character, and reads a carriage
        // return as a line feed.
        const bool control = c < 0x20 && c != '\t' && c != '\n';
        const bool underscore = c == '_' && looks_escaped(text, i);
        if (entity == nullptr && !control && !underscore) continue;
        out.append(text.substr(plain, i - plain));
        plain = i + 1;
        if (entity != nullptr) {
            out += entity;
        } else {
            out += "_x00";
            out += hex[c >> 4];
            out += hex[c & 0xF];
            out += '_';
        }
    }
    out.append(text.substr(plain));
}

bool has_edge_blank(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

}  // namespace

void append_rows_xml(const Sheet& sheet, const std::vector<int>& styles, std::string& out)
{
    std::vector<std::string> letters;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const std::uint64_t row = r + 2;
        out += "<row r=\"";
        append_number(out, row);
        out += "\">";
        const std::vector<Cell>& cells = sheet.rows[r];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const Cell& cell = cells[c];
            if (cell.empty()) continue;
            while (letters.size() <= c) letters.push_back(column_letters(letters.size()));
            out += "<c r=\"";
            out += letters[c];
            append_number(out, row);
            if (cell.kind == Cell::Kind::number && std::isfinite(cell.number)) {
                out += '"';
                if (c < styles.size() && styles[c] >= 0) {
                    out += " s=\"";
                    append_number(out, static_cast<std::uint64_t>(styles[c]));
                    out += '"';
                }
                char digits[32];
                const auto end = std::to_chars(digits, digits + sizeof digits, cell.number).ptr;
                out += "><v>";
                out.append(digits, end);
                out += "</v></c>";
            } else if (cell.kind == Cell::Kind::number) {
                // No number cell holds what is not finite: it is written
                // as the project file writes it.
                out += "\" t=\"inlineStr\"><is><t>";
                out += std::isnan(cell.number) ? "nan" : cell.number > 0 ? "inf" : "-inf";
                out += "</t></is></c>";
            } else {
                out += has_edge_blank(cell.text) ? "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                                                 : "\" t=\"inlineStr\"><is><t>";
                append_escaped(out, cell.text);
                out += "</t></is></c>";
            }
        }
        out += "</row>";
    }
}

}  // namespace qxhost::sheets
