// text_is_utf8: the check that a text can be written into a JSON file as it
// is, without replacing any of its bytes.
#include <cstdint>
#include <cstring>

#include "host/textkit.h"

namespace {

// The length of the well-formed sequence at `bytes`, or 0 (the ranges of the
// Unicode standard's table of well-formed byte sequences).
std::size_t sequence_length(const unsigned char* bytes, std::size_t left)
{
    const unsigned char lead = bytes[0];
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < length) return 0;
    if (bytes[1] < low || bytes[1] > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (bytes[k] < 0x80 || bytes[k] > 0xBF) return 0;
    }
    return length;
}

}  // namespace

bool text_is_utf8(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    while (i < text.size()) {
        // Nearly every text is ASCII: eight bytes are tested at a time.
        if (text.size() - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const std::size_t length = sequence_length(bytes + i, text.size() - i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}
