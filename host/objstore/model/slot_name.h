// The name of a slot or of a database object: a text kept inside the map
// entry when it is short, as nearly all are, and on the heap otherwise.
//
// A std::string keeps 15 characters in place; usage record names
// ("$$UTILITYOBJECT##" and an item name) and many slot names are longer, so
// every lookup that compared one read a second, far-away line of memory.
// Here up to 30 characters stay in the entry, in the same 32 bytes.
#ifndef HOST_SLOT_NAME_H
#define HOST_SLOT_NAME_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace qxhost {

class alignas(8) SlotName {
public:
    SlotName() { set_inline({}); }
    SlotName(std::string_view text) { assign(text); }  // NOLINT: reads like a string
    SlotName(const char* text) : SlotName(std::string_view(text)) {}  // NOLINT
    SlotName(const std::string& text) : SlotName(std::string_view(text)) {}  // NOLINT
    SlotName(const SlotName& other) { assign(other.view()); }
    SlotName(SlotName&& other) noexcept
    {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.set_inline({});
    }
    // Copy and swap: should the copy's allocation throw, this name is
    // left as it was.
    SlotName& operator=(const SlotName& other)
    {
        if (this != &other) *this = SlotName(other);
        return *this;
    }
    SlotName& operator=(SlotName&& other) noexcept
    {
        if (this != &other) {
            release();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            other.set_inline({});
        }
        return *this;
    }
    ~SlotName() { release(); }

    std::string_view view() const
    {
        if (on_heap()) return {heap_data(), heap_size()};
        return {bytes_, static_cast<std::size_t>(bytes_[tag_at])};
    }
    operator std::string_view() const { return view(); }  // NOLINT: reads like a string
    std::string str() const { return std::string(view()); }
    const char* c_str() const { return on_heap() ? heap_data() : bytes_; }
    std::size_t size() const { return view().size(); }
    bool empty() const { return size() == 0; }

    friend bool operator==(const SlotName& a, const SlotName& b) { return a.view() == b.view(); }
    friend bool operator==(const SlotName& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const SlotName& a, const char* b) { return a.view() == std::string_view(b); }
    friend bool operator==(const SlotName& a, const std::string& b) { return a.view() == std::string_view(b); }
    friend bool operator<(const SlotName& a, const SlotName& b) { return a.view() < b.view(); }
    friend std::string operator+(std::string a, const SlotName& b) { return a.append(b.view()); }
    friend std::string operator+(const char* a, const SlotName& b) { return std::string(a).append(b.view()); }
    friend std::string operator+(const SlotName& a, std::string_view b) { return a.str().append(b); }
    friend std::ostream& operator<<(std::ostream& out, const SlotName& name) { return out << name.view(); }

private:
    static constexpr std::size_t inline_capacity = 30;  // characters, before the NUL
    static constexpr std::size_t tag_at = 31;           // the inline length, or heap_tag
    static constexpr char heap_tag = static_cast<char>(0xFF);

    bool on_heap() const { return bytes_[tag_at] == heap_tag; }
    char* heap_data() const
    {
        char* data = nullptr;
        std::memcpy(&data, bytes_, sizeof data);
        return data;
    }
    std::size_t heap_size() const
    {
        std::size_t size = 0;
        std::memcpy(&size, bytes_ + sizeof(char*), sizeof size);
        return size;
    }

    void set_inline(std::string_view text)
    {
        if (!text.empty()) std::memcpy(bytes_, text.data(), text.size());
        bytes_[text.size()] = '\0';
        bytes_[tag_at] = static_cast<char>(text.size());
    }
    void assign(std::string_view text)
    {
        if (text.size() <= inline_capacity) {
            set_inline(text);
            return;
        }
        char* data = new char[text.size() + 1];
        std::memcpy(data, text.data(), text.size());
        data[text.size()] = '\0';
        const std::size_t size = text.size();
        std::memcpy(bytes_, &data, sizeof data);
        std::memcpy(bytes_ + sizeof data, &size, sizeof size);
        bytes_[tag_at] = heap_tag;
    }
    void release()
    {
        if (on_heap()) delete[] heap_data();
    }

    char bytes_[32];
};

}  // namespace qxhost

#endif
