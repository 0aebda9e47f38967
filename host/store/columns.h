// Values in and out of the store's columns, one way everywhere: texts as
// they were written, NUL bytes and all; a number that is not a number, which
// SQLite would turn into NULL anyway, written as NULL and read back as one.
#ifndef QXHOST_STORE_COLUMNS_H
#define QXHOST_STORE_COLUMNS_H

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>

namespace qxhost::store {

// The view is good until the statement steps on.
inline std::string_view view_of(const SQLite::Column& column)
{
    const void* bytes = column.getBlob();
    const auto size = static_cast<std::size_t>(column.getBytes());
    return size == 0 ? std::string_view() : std::string_view(static_cast<const char*>(bytes), size);
}
inline std::string text_of(const SQLite::Column& column) { return std::string(view_of(column)); }

inline std::optional<double> number_of(const SQLite::Column& column)
{
    if (column.isNull()) return std::nullopt;
    return column.getDouble();
}
// For the model's numbers, which hold "none" as not a number.
inline double number_or_nan(const SQLite::Column& column)
{
    return number_of(column).value_or(std::numeric_limits<double>::quiet_NaN());
}

inline void bind_number(SQLite::Statement& statement, int column, std::optional<double> number)
{
    if (number && !std::isnan(*number)) {
        statement.bind(column, *number);
    } else {
        statement.bind(column);
    }
}

}  // namespace qxhost::store

#endif
