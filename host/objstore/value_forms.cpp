// Slot values and how they read in another form than they were stored in.
#include "host/textkit.h"
#include "textkit/text_trimmed.h"
#include "model/slot_table.h"

namespace qxhost {

namespace {

std::string_view second_line(std::string_view text)
{
    const std::size_t first_end = text.find('\n');
    if (first_end == std::string_view::npos) return {};
    std::string_view rest = text.substr(first_end + 1);
    const std::size_t second_end = rest.find('\n');
    return second_end == std::string_view::npos ? rest : rest.substr(0, second_end);
}

std::optional<double> leading_number(std::string_view text)
{
    double number = 0.0;
    if (convert_todouble(text, &number) == 0) return std::nullopt;
    return number;
}

}  // namespace

Value Value::of_text(std::string text)
{
    Value value;
    value.kind = Kind::text;
    value.text = std::move(text);
    return value;
}

Value Value::of_number(double number, std::string units)
{
    Value value;
    value.kind = Kind::number;
    value.number = number;
    value.units = std::move(units);
    return value;
}

Value Value::of_list(std::vector<std::string> items)
{
    Value value;
    value.kind = Kind::list;
    value.items = std::move(items);
    return value;
}

std::string shortest_number_text(double value)
{
    std::string text;
    compiler_float_to_string(value, text);
    return text;
}

std::string value_as_text(const Value& value)
{
    switch (value.kind) {
    case Value::Kind::text:
        return value.text;
    case Value::Kind::number: {
        std::string text = shortest_number_text(value.number);
        if (!value.units.empty()) text += "\n" + value.units;
        return text;
    }
    case Value::Kind::list:
        return value.items.empty() ? std::string() : value.items.front();
    }
    return {};
}

std::optional<std::pair<double, std::string_view>> text_as_number(std::string_view text)
{
    const auto number = leading_number(text);
    if (!number) return std::nullopt;
    return std::pair{*number, text_trimmed(second_line(text))};
}

std::optional<std::pair<double, std::string>> value_as_number(const Value& value)
{
    switch (value.kind) {
    case Value::Kind::text: {
        const auto number = text_as_number(value.text);
        if (!number) return std::nullopt;
        return std::pair{number->first, std::string(number->second)};
    }
    case Value::Kind::number:
        return std::pair{value.number, value.units};
    case Value::Kind::list: {
        if (value.items.empty()) return std::nullopt;
        const auto number = leading_number(value.items.front());
        if (!number) return std::nullopt;
        return std::pair{*number, value.items.size() > 1 ? value.items[1] : std::string()};
    }
    }
    return std::nullopt;
}

}  // namespace qxhost
