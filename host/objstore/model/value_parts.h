// The two rarely filled parts of a slot value, each the size of a pointer:
// a number's units (interned: a plant uses a few dozen unit texts over
// millions of slots) and a list's items. Both read like the standard types
// they stand for.
#ifndef HOST_VALUE_PARTS_H
#define HOST_VALUE_PARTS_H

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/visibility.h"

namespace qxhost {

// A units text, interned: equal texts share one stored string, which lives
// as long as some value holds it. Counting the holders, rather than keeping
// every text for good, frees a project's texts with the project, so a host
// that loads one project after another does not grow with every distinct
// text it has seen; and a value that outlives the loaded project (a project
// read but not yet loaded, a table copied out) keeps its text.
class UnitsText {
public:
    UnitsText() = default;
    UnitsText(std::string_view text) : entry_(intern(text)) {}  // NOLINT: reads like a string
    UnitsText(const UnitsText& other) noexcept : entry_(other.entry_) { hold(); }
    UnitsText(UnitsText&& other) noexcept : entry_(std::exchange(other.entry_, &empty_entry_)) {}
    UnitsText& operator=(const UnitsText& other) noexcept
    {
        UnitsText copy(other);
        std::swap(entry_, copy.entry_);
        return *this;
    }
    UnitsText& operator=(UnitsText&& other) noexcept
    {
        std::swap(entry_, other.entry_);
        return *this;
    }
    UnitsText& operator=(std::string_view text) { return *this = UnitsText(text); }
    ~UnitsText() { let_go(); }

    operator const std::string&() const { return entry_->text; }  // NOLINT
    operator std::string_view() const { return entry_->text; }    // NOLINT
    const std::string& str() const { return entry_->text; }
    bool empty() const { return entry_->text.empty(); }
    std::size_t size() const { return entry_->text.size(); }
    const char* c_str() const { return entry_->text.c_str(); }

    // Texts are interned, so equal texts share one entry.
    friend bool operator==(const UnitsText& a, const UnitsText& b) { return a.entry_ == b.entry_; }
    friend bool operator==(const UnitsText& a, std::string_view b) { return a.entry_->text == b; }
    friend std::string operator+(const char* a, const UnitsText& b) { return a + b.entry_->text; }
    friend std::string operator+(const std::string& a, const UnitsText& b) { return a + b.entry_->text; }
    friend std::ostream& operator<<(std::ostream& out, const UnitsText& units) { return out << units.entry_->text; }

    struct Entry {
        std::string text;
        mutable std::size_t holders = 0;
    };

private:
    // The entry of `text`, held once more.
    QXHOST_API static const Entry* intern(std::string_view text);
    // Drops the entry of a text that its last holder let go.
    QXHOST_API static void forget(const Entry* entry);
    // The empty text, which most values have: taken and let go without
    // counting. It is made at compile time and never destroyed, so values in
    // static objects may be destroyed in any order.
    QXHOST_API static const Entry& empty_entry_;

    void hold() const
    {
        if (entry_ != &empty_entry_) ++entry_->holders;
    }
    void let_go() const
    {
        if (entry_ != &empty_entry_ && --entry_->holders == 0) forget(entry_);
    }

    const Entry* entry_ = &empty_entry_;
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
