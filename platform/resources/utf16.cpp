#include "platform/resources/utf16.h"

#include <cstdint>

namespace scribblet::resources {

namespace {

constexpr char32_t replacement_character = 0xFFFD;

bool is_high_surrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void append_utf8(std::string &out, char32_t code_point)
{
    const auto byte = [&out](std::uint32_t value) {
        out.push_back(static_cast<char>(value));
    };
    if (code_point < 0x80) {
        byte(code_point);
    } else if (code_point < 0x800) {
        byte(0xC0 | (code_point >> 6));
        byte(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        byte(0xE0 | (code_point >> 12));
        byte(0x80 | ((code_point >> 6) & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    } else {
        byte(0xF0 | (code_point >> 18));
        byte(0x80 | ((code_point >> 12) & 0x3F));
        byte(0x80 | ((code_point >> 6) & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    }
}

bool is_continuation_byte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string utf16_to_utf8(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size() * 3);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (is_high_surrogate(unit) && i + 1 < units.size() &&
            is_low_surrogate(units[i + 1])) {
            const char32_t high = unit - 0xD800u;
            const char32_t low = units[i + 1] - 0xDC00u;
            append_utf8(out, 0x10000 + (high << 10) + low);
            ++i;
        } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
            append_utf8(out, replacement_character);
        } else {
            append_utf8(out, unit);
        }
    }
    return out;
}

std::size_t utf8_prefix_length(std::string_view text, std::size_t max_bytes)
{
    if (text.size() <= max_bytes)
        return text.size();
    // Back up from the cut over continuation bytes to a character's start.
    std::size_t length = max_bytes;
    while (length > 0 && is_continuation_byte(text[length]))
        --length;
    return length;
}

} // namespace scribblet::resources
