// A sheet as the workbook reader reads it: its columns found by their
// header's name in any order, its blank rows passed over, each cell read as
// a text or a number and named where it stands when it is wrong.
#ifndef QXHOST_SHEETS_READ_SHEET_H
#define QXHOST_SHEETS_READ_SHEET_H

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/slot_table.h"
#include "project_layout.h"
#include "sheets/workbook.h"
#include "textkit/text_trimmed.h"

namespace qxhost::sheets {

class ReadSheet {
public:
    // Blank rows are passed over, and each cell is still named where it
    // stands.
    ReadSheet(const Sheet* sheet, const std::string& label) : sheet_(sheet), label_(label)
    {
        if (sheet_ == nullptr) return;
        for (std::size_t i = 0; i < sheet_->columns.size(); ++i) header_.try_emplace(sheet_->columns[i].name, i);
        for (std::size_t row = 0; row < sheet_->rows.size(); ++row) {
            const auto& cells = sheet_->rows[row];
            if (std::any_of(cells.begin(), cells.end(), [](const Cell& cell) { return !cell.empty(); }))
                kept_.push_back(row);
        }
    }

    bool present() const { return sheet_ != nullptr; }
    std::size_t rows() const { return kept_.size(); }
    std::optional<std::size_t> column(std::string_view name) const
    {
        const auto found = header_.find(name);
        return found == header_.end() ? std::nullopt : std::optional(found->second);
    }
    const Cell& cell(std::size_t row, std::optional<std::size_t> column) const
    {
        static const Cell none;
        if (!column || row >= rows() || *column >= sheet_->rows[kept_[row]].size()) return none;
        return sheet_->rows[kept_[row]][*column];
    }
    const Cell& cell(std::size_t row, std::string_view column) const { return cell(row, this->column(column)); }
    std::string where(std::size_t row, std::optional<std::size_t> column) const
    {
        return cell_name(sheet_->name, row < kept_.size() ? kept_[row] : row, column.value_or(0));
    }
    std::string where(std::size_t row, std::string_view column) const { return where(row, this->column(column)); }

    [[noreturn]] void fail(std::size_t row, std::string_view column, const std::string& what) const
    {
        throw WorkbookError(label_ + ": " + where(row, column) + ": " + what);
    }

    // The columns of a slot column and of its units, found once per sheet.
    std::pair<std::optional<std::size_t>, std::optional<std::size_t>> columns_of(const layout::SlotColumn& slot) const
    {
        auto [at, added] = slot_columns_.try_emplace(&slot);
        if (added) {
            const std::string name(slot.slot);
            at->second = {column(name), column(name + std::string(layout::units_suffix))};
        }
        return at->second;
    }
    // A cell as a text, without a copy: a view of the cell's text, or of the
    // shortest form of its number, good until the next call.
    std::string_view text_view(std::size_t row, std::optional<std::size_t> column) const
    {
        const Cell& found = cell(row, column);
        if (found.kind != Cell::Kind::number) return found.text;
        scratch_ = shortest_number_text(found.number);
        return scratch_;
    }
    std::optional<double> number(std::size_t row, std::optional<std::size_t> column) const
    {
        const Cell& found = cell(row, column);
        if (found.kind == Cell::Kind::number) return found.number;
        if (found.empty()) return std::nullopt;
        if (auto parsed = parse_number(found.text)) return parsed;
        fail_at(row, column, "\"" + found.text + "\" is not a number");
    }
    [[noreturn]] void fail_at(std::size_t row, std::optional<std::size_t> column, const std::string& what) const
    {
        throw WorkbookError(label_ + ": " + where(row, column) + ": " + what);
    }

    // A cell as a text: a number is written in its shortest form.
    std::string text(std::size_t row, std::string_view column) const
    {
        return std::string(text_view(row, this->column(column)));
    }
    // A cell as a number, none when empty; a text must be one whole.
    std::optional<double> number(std::size_t row, std::string_view column) const
    {
        return number(row, this->column(column));
    }
    std::optional<std::int64_t> whole(std::size_t row, std::string_view column, std::int64_t low, std::int64_t high) const
    {
        const auto value = number(row, column);
        if (!value) return std::nullopt;
        if (*value != std::floor(*value) || *value < static_cast<double>(low) || *value > static_cast<double>(high))
            fail(row, column, shortest_number_text(*value) + " is not a whole number from " + std::to_string(low) +
                                  " to " + std::to_string(high));
        return static_cast<std::int64_t>(*value);
    }

    static std::optional<double> parse_number(std::string_view text)
    {
        text = text_trimmed(text, edge_blanks);
        if (text == "inf") return HUGE_VAL;
        if (text == "-inf") return -HUGE_VAL;
        if (text == "nan") return std::nan("");
        double value = 0.0;
        const char* last = text.data() + text.size();
        const auto [end, error] = std::from_chars(text.data(), last, value);
        if (error != std::errc() || end != last || text.empty()) return std::nullopt;
        return value;
    }

private:
    const Sheet* sheet_;
    const std::string& label_;
    std::vector<std::size_t> kept_;  // the rows that are not blank
    // Each column by its header's name: every cell of a large sheet is
    // looked up by name, and a search of the header for each was a tenth
    // of reading a large workbook.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> header_;
    using ColumnPair = std::pair<std::optional<std::size_t>, std::optional<std::size_t>>;
    mutable std::unordered_map<const layout::SlotColumn*, ColumnPair> slot_columns_;
    mutable std::string scratch_;
};

}  // namespace qxhost::sheets

#endif
