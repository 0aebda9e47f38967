#include "store/fingerprint.h"

#include <bit>
#include <cstring>
#include <string_view>

#include <xxhash.h>

namespace qxhost::store {

namespace {

// A table's names and values laid end to end, each length first so that no
// two tables lay out alike, then hashed at once: one call per table is
// cheaper than feeding a hash state field by field.
class Layout {
public:
    void text(std::string_view text)
    {
        word(text.size());
        bytes_.append(text);
    }
    void word(std::uint64_t word) { bytes_.append(reinterpret_cast<const char*>(&word), sizeof word); }
    void table(const SlotTable& slots)
    {
        word(slots.size());
        for (const auto& [name, value] : slots) {
            text(name.view());
            word(static_cast<std::uint64_t>(value.kind));
            switch (value.kind) {
            case Value::Kind::text:
                text(value.text);
                break;
            case Value::Kind::number:
                word(std::bit_cast<std::uint64_t>(value.number));
                text(value.units.str());
                break;
            case Value::Kind::list:
                word(value.items.size());
                for (const std::string& item : value.items) text(item);
                break;
            }
        }
    }
    // The hash of what was laid out, which is then cleared for the next.
    Hash hash()
    {
        const Hash value = fingerprint(std::string_view(bytes_));
        bytes_.clear();
        return value;
    }

private:
    std::string bytes_;
};

}  // namespace

Hash fingerprint(std::string_view bytes)
{
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    return {hash.low64, hash.high64};
}

Hash fingerprint(const SlotTable& slots)
{
    Layout layout;
    layout.table(slots);
    return layout.hash();
}

ProjectFingerprint fingerprint(const Project& project)
{
    ProjectFingerprint print;
    Layout layout;
    for (const Object& object : project.objects) {
        layout.table(object.slots);
        print.object_slots.push_back(layout.hash());
        layout.table(object.defaults);
        print.object_defaults.push_back(layout.hash());
    }
    for (const auto& [name, entry] : project.entries) {
        layout.table(entry.slots);
        print.entry_slots.push_back(layout.hash());
        layout.table(entry.defaults);
        print.entry_defaults.push_back(layout.hash());
    }
    for (const auto& [name, objects] : project.databases) {
        layout.word(objects.size());
        for (const auto& [object_name, slots] : objects) {
            layout.text(object_name.view());
            layout.table(slots);
        }
        print.databases.emplace(std::string(name.str()), layout.hash());
    }
    return print;
}

}  // namespace qxhost::store
