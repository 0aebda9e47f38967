#include "store/table_blob.h"

#include <bit>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace qxhost::store {

namespace {

enum : unsigned char { text_kind = 0, number_kind = 1, list_kind = 2 };

[[noreturn]] void damaged() { throw std::runtime_error("a damaged run blob"); }

}  // namespace

void BlobWriter::varint(std::uint64_t value)
{
    while (value >= 0x80) {
        bytes_.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    bytes_.push_back(static_cast<char>(value));
}

void BlobWriter::text(std::string_view text)
{
    varint(text.size());
    bytes_.append(text);
}

void BlobWriter::table(const SlotTable& slots)
{
    varint(slots.size());
    for (const auto& [name, value] : slots) {
        text(name.view());
        switch (value.kind) {
        case Value::Kind::text:
            bytes_.push_back(static_cast<char>(text_kind));
            text(value.text);
            break;
        case Value::Kind::number: {
            bytes_.push_back(static_cast<char>(number_kind));
            const auto bits = std::bit_cast<std::uint64_t>(value.number);
            for (int k = 0; k < 8; ++k) bytes_.push_back(static_cast<char>(bits >> (8 * k)));
            text(value.units.str());
            break;
        }
        case Value::Kind::list:
            bytes_.push_back(static_cast<char>(list_kind));
            varint(value.items.size());
            for (const std::string& item : value.items) text(item);
            break;
        }
    }
}

void BlobWriter::database(const Database& objects)
{
    varint(objects.size());
    for (const auto& [name, slots] : objects) {
        text(name.view());
        table(slots);
    }
}

std::string_view BlobReader::take(std::size_t size)
{
    if (size > rest_.size()) damaged();
    const std::string_view taken = rest_.substr(0, size);
    rest_.remove_prefix(size);
    return taken;
}

std::uint64_t BlobReader::varint()
{
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const auto byte = static_cast<unsigned char>(take(1)[0]);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return value;
    }
    damaged();
}

std::string_view BlobReader::text() { return take(varint()); }

SlotTable BlobReader::table()
{
    SlotTable slots;
    // Each slot takes at least two bytes: a count beyond that is damage,
    // not a reason to reserve memory.
    const std::uint64_t count = varint();
    if (count > rest_.size() / 2) damaged();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string_view name = text();
        const auto kind = static_cast<unsigned char>(take(1)[0]);
        if (kind == text_kind) {
            slots.set(name, Value::of_text(std::string(text())));
        } else if (kind == number_kind) {
            std::uint64_t bits = 0;
            const std::string_view bytes = take(8);
            for (int k = 7; k >= 0; --k) bits = (bits << 8) | static_cast<unsigned char>(bytes[k]);
            slots.set(name, Value::of_number(std::bit_cast<double>(bits), std::string(text())));
        } else if (kind == list_kind) {
            const std::uint64_t items = varint();
            if (items > rest_.size()) damaged();
            std::vector<std::string> list;
            list.reserve(items);
            for (std::uint64_t k = 0; k < items; ++k) list.emplace_back(text());
            slots.set(name, Value::of_list(std::move(list)));
        } else {
            damaged();
        }
    }
    return slots;
}

Database BlobReader::database()
{
    Database objects;
    const std::uint64_t count = varint();
    if (count > rest_.size()) damaged();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string_view name = text();
        objects.set(name, table());
    }
    return objects;
}

}  // namespace qxhost::store
