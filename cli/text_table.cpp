#include "text_table.h"

#include <algorithm>
#include <cstdio>

#include "host/textkit.h"
#include "textkit/text_trimmed.h"

namespace tovex_cli {

std::string aligned(const std::vector<TableRow>& rows)
{
    std::vector<std::size_t> widths;
    for (const TableRow& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }
    std::string text;
    for (const TableRow& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size()) line.append(widths[column] - row[column].size() + 2, ' ');
        }
        text += text_trimmed(line);
        text += "\n";
    }
    return text;
}

std::string money(double amount)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", amount);
    return text;
}

}  // namespace tovex_cli
