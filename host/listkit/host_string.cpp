// CqxString: the host's string class.
#include "host/listkit.h"
#include "host/textkit.h"

namespace {

bool is_blank(char c) { return trimmed_blanks.find(c) != std::string_view::npos; }

}  // namespace

CqxString::CqxString(const char* text) : text_(text ? text : "") {}

CqxString::CqxString(std::string_view text) : text_(text) {}

CqxString& CqxString::operator=(std::string_view text)
{
    text_.assign(text.data(), text.size());
    return *this;
}

CqxString& CqxString::operator=(const char* text)
{
    text_.assign(text ? text : "");
    return *this;
}

CqxString& CqxString::operator+=(std::string_view text)
{
    text_.append(text.data(), text.size());
    return *this;
}

void CqxString::TrimLeft()
{
    std::size_t start = 0;
    while (start < text_.size() && is_blank(text_[start])) ++start;
    text_.erase(0, start);
}

void CqxString::TrimRight()
{
    std::size_t end = text_.size();
    while (end > 0 && is_blank(text_[end - 1])) --end;
    text_.erase(end);
}

int CqxString::IsBlank() const
{
    for (char c : text_)
        if (!is_blank(c)) return 0;
    return 1;
}

int CqxString::Find(char ch) const
{
    const std::size_t at = text_.find(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CqxString CqxString::Right(int count) const
{
    if (count <= 0) return CqxString();
    const std::size_t n = static_cast<std::size_t>(count);
    if (n >= text_.size()) return *this;
    return CqxString(std::string_view(text_).substr(text_.size() - n));
}
