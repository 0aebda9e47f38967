// Blanks at the ends of a text: spaces and tabs only, so that line breaks
// that carry meaning inside a value text survive.
#include "host/textkit.h"

void text_remove_initial_and_trailing_blanks(std::string& text)
{
    const auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t end = text.size();
    while (end > 0 && is_blank(text[end - 1])) --end;
    std::size_t start = 0;
    while (start < end && is_blank(text[start])) ++start;
    text.erase(end);
    text.erase(0, start);
}
