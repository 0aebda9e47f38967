#include "reports/detailed_line.h"

#include "common/text.h"

namespace tovex {

std::string compose_project_line(const std::string& scenario_name)
{
    return format_text("\n\n\"Project:%s\"\n\n", scenario_name.c_str());
}

namespace {

// Appends as "%s" would: up to the text's first NUL.
void append_c_text(std::string& line, const std::string& text) { line.append(text.c_str()); }

void append_quoted(std::string& line, const std::string& text)
{
    line += '"';
    append_c_text(line, text);
    line += '"';
}

}  // namespace

// Built piece by piece rather than with one printf format: the line is
// written once per usage record and utility, and the format's parsing cost
// more than everything else in it. The blanks after the commas ahead of
// columns 8, 9, 11, 13 and 15 are part of the format that readers of the
// report expect.
std::string compose_detailed_line(const detailed_line& line)
{
    std::string text;
    text.reserve(256);
    append_quoted(text, line.description);
    text += ',';
    append_quoted(text, line.fluid);
    text += ',';
    append_quoted(text, line.item);
    text += ',';
    append_quoted(text, line.item_description);
    text += ',';
    append_fixed6(text, line.rate);
    text += ',';
    append_quoted(text, line.units);
    text += ',';
    append_quoted(text, line.rate_units);
    text += ", ";
    append_fixed6(text, line.cost_per_hour);
    text += ", ";
    append_c_text(text, line.operating_pressure);
    text += ',';
    append_quoted(text, line.pressure_units);
    text += ", ";
    append_c_text(text, line.operating_temperature);
    text += ',';
    append_quoted(text, line.temperature_units);
    text += ", ";
    append_c_text(text, line.design_pressure);
    text += ',';
    append_quoted(text, line.pressure_units);
    text += ",  ";
    append_c_text(text, line.design_temperature);
    text += ',';
    append_quoted(text, line.temperature_units);
    text += ',';
    append_quoted(text, line.stream_name);
    text += ',';
    append_quoted(text, line.area_id);
    text += ',';
    append_quoted(text, line.report_group_id);
    text += ',';
    append_c_text(text, line.inlet_temperature);
    text += ',';
    append_quoted(text, line.temperature_units);
    text += ',';
    append_c_text(text, line.exit_temperature);
    text += ',';
    append_quoted(text, line.temperature_units);
    return text;
}

}  // namespace tovex
