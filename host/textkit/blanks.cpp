// Blanks at the ends of a text, by the host's two sets of blanks.
#include "host/textkit.h"
#include "textkit/text_trimmed.h"

std::string_view text_trimmed(std::string_view text, std::string_view blanks)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void text_remove_initial_and_trailing_blanks(std::string& text)
{
    const std::string_view kept = text_trimmed(text, edge_blanks);
    const std::size_t start = kept.empty() ? 0 : static_cast<std::size_t>(kept.data() - text.data());
    text.erase(start + kept.size());
    text.erase(0, start);
}
