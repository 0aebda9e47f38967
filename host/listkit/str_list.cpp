// CStrList: a list of texts, split from separated text or appended whole.
#include <cstring>

#include "host/listkit.h"

namespace {

class TextNode final : public CListNode {
public:
    explicit TextNode(std::string_view text) : text_(text) {}
    std::string Key() const override { return text_; }
    std::unique_ptr<CListNode> Clone() const override { return std::make_unique<TextNode>(*this); }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Calls `add` with every piece of `text` between separators (`is_separator`),
// empty pieces included. A separator that ends the text closes the last piece
// and opens none.
template <class IsSeparator, class Add>
void split_pieces(std::string_view text, IsSeparator is_separator, Add add)
{
    if (text.empty()) return;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!is_separator(text[i])) continue;
        add(text.substr(start, i - start));
        start = i + 1;
    }
    if (start < text.size()) add(text.substr(start));
}

}  // namespace

CStrList::CStrList() = default;
CStrList::~CStrList() = default;

void CStrList::AddTextList(std::string_view text, char separator)
{
    split_pieces(text, [separator](char c) { return c == separator; },
                 [this](std::string_view piece) { AddText(piece); });
}

void CStrList::AddTextList(std::string_view text, const char* separators)
{
    const std::string_view set = separators ? std::string_view(separators) : std::string_view();
    split_pieces(text, [set](char c) { return set.find(c) != std::string_view::npos; },
                 [this](std::string_view piece) { AddText(piece); });
}

void CStrList::AddText(std::string_view text) { AppendNode(std::make_unique<TextNode>(text)); }

int CStrList::IsMember(std::string_view text) const { return CountKey(std::string(text)) > 0 ? 1 : 0; }

const char* CStrList::GetTextAt(int index, int* length) const
{
    const auto* node = static_cast<const TextNode*>(NodeAt(index));
    if (node == nullptr) return nullptr;
    if (length != nullptr) *length = static_cast<int>(node->text().size());
    return node->text().c_str();
}
