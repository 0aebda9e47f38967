#include "store/fingerprint.h"

#include <bit>
#include <cstring>
#include <string_view>

namespace qxhost::store {

namespace {

// Two independent multiply-xorshift hashes side by side over the same
// bytes, taken eight at a time: the reports of a large plant are tens of
// megabytes, which a hash taking a byte at a time spent a tenth of a second
// on.
class Hasher {
public:
    void add(std::string_view text)
    {
        std::size_t at = 0;
        for (; at + 8 <= text.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + at, 8);
            add_word(word);
        }
        std::uint64_t tail = 0;
        if (at < text.size()) std::memcpy(&tail, text.data() + at, text.size() - at);
        add_word(tail);
        // The length ends a text, so that "ab" + "c" differs from "a" + "bc".
        add_word(text.size());
    }
    void add_word(std::uint64_t word)
    {
        first_ = mix((first_ ^ word) * 0x9E3779B97F4A7C15ULL);
        second_ = mix((second_ + word) * 0xC2B2AE3D27D4EB4FULL + 0x165667B19E3779F9ULL);
    }
    Hash value() const { return {mix(first_), mix(second_ ^ 0x27D4EB2F165667C5ULL)}; }

private:
    static std::uint64_t mix(std::uint64_t x)
    {
        x ^= x >> 31;
        x *= 0xBF58476D1CE4E5B9ULL;
        return x ^ (x >> 29);
    }

    std::uint64_t first_ = 0xCBF29CE484222325ULL;
    std::uint64_t second_ = 0x2545F4914F6CDD1DULL;
};

void add_table(Hasher& hasher, const SlotTable& slots)
{
    hasher.add_word(slots.size());
    for (const auto& [name, value] : slots) {
        hasher.add(name.view());
        hasher.add_word(static_cast<std::uint64_t>(value.kind));
        switch (value.kind) {
        case Value::Kind::text:
            hasher.add(value.text);
            break;
        case Value::Kind::number:
            hasher.add_word(std::bit_cast<std::uint64_t>(value.number));
            hasher.add(value.units.str());
            break;
        case Value::Kind::list: {
            const std::vector<std::string>& items = value.items;
            hasher.add_word(items.size());
            for (const std::string& item : items) hasher.add(item);
            break;
        }
        }
    }
}

}  // namespace

Hash fingerprint(const SlotTable& slots)
{
    Hasher hasher;
    add_table(hasher, slots);
    return hasher.value();
}

Hash fingerprint(std::string_view bytes)
{
    Hasher hasher;
    hasher.add(bytes);
    return hasher.value();
}

ProjectFingerprint fingerprint(const Project& project)
{
    ProjectFingerprint print;
    for (const Object& object : project.objects) {
        print.object_slots.push_back(fingerprint(object.slots));
        print.object_defaults.push_back(fingerprint(object.defaults));
    }
    for (const auto& [name, entry] : project.entries) {
        print.entry_slots.push_back(fingerprint(entry.slots));
        print.entry_defaults.push_back(fingerprint(entry.defaults));
    }
    for (const auto& [name, objects] : project.databases) {
        Hasher hasher;
        hasher.add_word(objects.size());
        for (const auto& [object_name, slots] : objects) {
            hasher.add(object_name.view());
            add_table(hasher, slots);
        }
        print.databases.emplace(std::string(name.str()), hasher.value());
    }
    return print;
}

}  // namespace qxhost::store
