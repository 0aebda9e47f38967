#include "reports/detailed_line.h"

#include <cstring>
#include <string_view>

#include "common/text.h"

namespace tovex {

std::string compose_project_line(const std::string& scenario_name)
{
    return format_text("\n\n\"Project:%s\"\n\n", scenario_name.c_str());
}

namespace {

// A text as "%s" writes it: up to its first NUL.
std::string_view c_text(const std::string& text) { return text.c_str(); }

// Writes the pieces of a line into a text made long enough for all of them
// at once, so that no piece checks for room, then cuts it to what was
// written.
class line_writer {
public:
    explicit line_writer(std::size_t most) : text_(most, '\0'), at_(text_.data()) {}

    void put(std::string_view piece)
    {
        std::memcpy(at_, piece.data(), piece.size());
        at_ += piece.size();
    }
    void put_text(const std::string& text) { put(c_text(text)); }
    void put_quoted(const std::string& text)
    {
        *at_++ = '"';
        put(c_text(text));
        *at_++ = '"';
    }
    void put_fixed6(double value) { at_ = write_fixed6(at_, value); }

    std::string finish()
    {
        text_.resize(static_cast<std::size_t>(at_ - text_.data()));
        return std::move(text_);
    }

private:
    std::string text_;
    char* at_;
};

// Room for every text of the line, its two numbers, and the quotes, commas
// and blanks between the columns.
std::size_t most_line_length(const detailed_line& line)
{
    std::size_t texts = 0;
    for (const std::string* text :
         {&line.description, &line.fluid, &line.item, &line.item_description, &line.units, &line.rate_units,
          &line.operating_pressure, &line.operating_temperature, &line.design_pressure, &line.design_temperature,
          &line.stream_name, &line.area_id, &line.report_group_id, &line.inlet_temperature, &line.exit_temperature})
        texts += text->size();
    // Pressure units fill two columns, temperature units four.
    texts += 2 * line.pressure_units.size() + 4 * line.temperature_units.size();
    return texts + 2 * max_fixed6_length + 96;
}

}  // namespace

// Built piece by piece rather than with one printf format: the line is
// written once per usage record and utility, and the format's parsing cost
// more than everything else in it. The blanks after the commas ahead of
// columns 8, 9, 11, 13 and 15 are part of the format that readers of the
// report expect.
std::string compose_detailed_line(const detailed_line& line)
{
    line_writer text(most_line_length(line));
    text.put_quoted(line.description);
    text.put(",");
    text.put_quoted(line.fluid);
    text.put(",");
    text.put_quoted(line.item);
    text.put(",");
    text.put_quoted(line.item_description);
    text.put(",");
    text.put_fixed6(line.rate);
    text.put(",");
    text.put_quoted(line.units);
    text.put(",");
    text.put_quoted(line.rate_units);
    text.put(", ");
    text.put_fixed6(line.cost_per_hour);
    text.put(", ");
    text.put_text(line.operating_pressure);
    text.put(",");
    text.put_quoted(line.pressure_units);
    text.put(", ");
    text.put_text(line.operating_temperature);
    text.put(",");
    text.put_quoted(line.temperature_units);
    text.put(", ");
    text.put_text(line.design_pressure);
    text.put(",");
    text.put_quoted(line.pressure_units);
    text.put(",  ");
    text.put_text(line.design_temperature);
    text.put(",");
    text.put_quoted(line.temperature_units);
    text.put(",");
    text.put_quoted(line.stream_name);
    text.put(",");
    text.put_quoted(line.area_id);
    text.put(",");
    text.put_quoted(line.report_group_id);
    text.put(",");
    text.put_text(line.inlet_temperature);
    text.put(",");
    text.put_quoted(line.temperature_units);
    text.put(",");
    text.put_text(line.exit_temperature);
    text.put(",");
    text.put_quoted(line.temperature_units);
    return text.finish();
}

}  // namespace tovex
