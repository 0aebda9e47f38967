// The two rarely filled parts of a slot value, each the size of a pointer:
// a number's units (interned: a plant uses a few dozen unit texts over
// millions of slots) and a list's items. Both read like the standard types
// they stand for.
#ifndef QXHOST_VALUE_PARTS_H
#define QXHOST_VALUE_PARTS_H

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/visibility.h"

namespace qxhost {

class UnitsText {
public:
    UnitsText() = default;
    UnitsText(std::string_view text) : text_(intern(text)) {}  // NOLINT: reads like a string
    UnitsText& operator=(std::string_view text)
    {
        text_ = intern(text);
        return *this;
    }

    operator const std::string&() const { return *text_; }  // NOLINT
    operator std::string_view() const { return *text_; }    // NOLINT
    const std::string& str() const { return *text_; }
    bool empty() const { return text_->empty(); }
    std::size_t size() const { return text_->size(); }
    const char* c_str() const { return text_->c_str(); }

    // Texts are interned, so equal texts share one string.
    friend bool operator==(const UnitsText& a, const UnitsText& b) { return a.text_ == b.text_; }
    friend bool operator==(const UnitsText& a, std::string_view b) { return *a.text_ == b; }
    friend std::string operator+(const char* a, const UnitsText& b) { return a + *b.text_; }
    friend std::string operator+(const std::string& a, const UnitsText& b) { return a + *b.text_; }
    friend std::ostream& operator<<(std::ostream& out, const UnitsText& units) { return out << *units.text_; }

private:
    // The one stored string equal to `text`; it lives as long as the program.
    QXHOST_API static const std::string* intern(std::string_view text);
    // The empty text, which most values have: taken without a lookup.
    QXHOST_API static const std::string* const empty_text_;

    const std::string* text_ = empty_text_;
};

class TextItems {
public:
    using Items = std::vector<std::string>;

    TextItems() = default;
    TextItems(Items items) { assign(std::move(items)); }  // NOLINT: reads like a vector
    TextItems(const TextItems& other) : items_(other.items_ ? std::make_unique<Items>(*other.items_) : nullptr) {}
    TextItems(TextItems&&) noexcept = default;
    TextItems& operator=(const TextItems& other)
    {
        if (this != &other) items_ = other.items_ ? std::make_unique<Items>(*other.items_) : nullptr;
        return *this;
    }
    TextItems& operator=(TextItems&&) noexcept = default;
    TextItems& operator=(Items items)
    {
        assign(std::move(items));
        return *this;
    }
    TextItems& operator=(std::initializer_list<std::string> items) { return *this = Items(items); }

    operator const Items&() const { return view(); }  // NOLINT

    bool empty() const { return !items_ || items_->empty(); }
    std::size_t size() const { return items_ ? items_->size() : 0; }
    const std::string& front() const { return items_->front(); }
    const std::string& operator[](std::size_t i) const { return (*items_)[i]; }
    void push_back(std::string item)
    {
        if (!items_) items_ = std::make_unique<Items>();
        items_->push_back(std::move(item));
    }
    Items::const_iterator begin() const { return items_ ? items_->cbegin() : Items::const_iterator(); }
    Items::const_iterator end() const { return items_ ? items_->cend() : Items::const_iterator(); }

    friend bool operator==(const TextItems& a, const TextItems& b) { return a.view() == b.view(); }
    friend bool operator==(const TextItems& a, const Items& b) { return a.view() == b; }
    friend std::ostream& operator<<(std::ostream& out, const TextItems& items)
    {
        out << "{";
        for (const std::string& item : items) out << " \"" << item << "\"";
        return out << " }";
    }

private:
    void assign(Items items) { items_ = items.empty() ? nullptr : std::make_unique<Items>(std::move(items)); }
    const Items& view() const
    {
        static const Items none;
        return items_ ? *items_ : none;
    }

    std::unique_ptr<Items> items_;
};

}  // namespace qxhost

#endif
