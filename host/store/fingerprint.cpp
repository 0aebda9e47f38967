#include "store/fingerprint.h"

#include <bit>
#include <string_view>

namespace qxhost::store {

namespace {

// FNV-1a and a multiply-rotate hash side by side over the same bytes.
class Hasher {
public:
    void add(std::string_view text)
    {
        for (const char c : text) add_byte(static_cast<unsigned char>(c));
        // The length ends a text, so that "ab" + "c" differs from "a" + "bc".
        add_word(text.size());
    }
    void add_word(std::uint64_t word)
    {
        for (int k = 0; k < 8; ++k) add_byte(static_cast<unsigned char>(word >> (8 * k)));
    }
    Hash value() const { return {first_, second_}; }

private:
    void add_byte(unsigned char byte)
    {
        first_ = (first_ ^ byte) * 0x100000001B3ULL;
        second_ = std::rotl((second_ + byte) * 0x9E3779B97F4A7C15ULL, 29);
    }

    std::uint64_t first_ = 0xCBF29CE484222325ULL;
    std::uint64_t second_ = 0x2545F4914F6CDD1DULL;
};

void add_table(Hasher& hasher, const SlotTable& slots)
{
    hasher.add_word(slots.size());
    for (const auto& [name, value] : slots) {
        hasher.add(name.str());
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
            hasher.add(object_name.str());
            add_table(hasher, slots);
        }
        print.databases.emplace(std::string(name.str()), hasher.value());
    }
    return print;
}

}  // namespace qxhost::store
