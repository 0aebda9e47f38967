// Numbers read from and written to text.
#include <charconv>
#include <cstdlib>
#include <string>

#include "host/textkit.h"

int convert_todouble(std::string_view text, double* value)
{
    // strtod needs a terminated text; the copy also keeps a view's end.
    const std::string terminated(text);
    char* end = nullptr;
    const double read = std::strtod(terminated.c_str(), &end);
    const bool found = end != terminated.c_str();
    if (value != nullptr) *value = found ? read : 0.0;
    return found ? 1 : 0;
}

void compiler_float_to_string(double value, std::string& text)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.assign(buffer, result.ptr);
}
