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

// One to four bytes: a lead byte whose high bits count them, then six bits
// a byte.
void append_utf8(std::string &out, char32_t code_point)
{
    if (code_point < 0x80) {
        out.push_back(static_cast<char>(code_point));
        return;
    }
    const int more = code_point < 0x800 ? 1 : code_point < 0x10000 ? 2 : 3;
    out.push_back(
        static_cast<char>((0xFF << (7 - more)) | (code_point >> (6 * more))));
    for (int shift = 6 * (more - 1); shift >= 0; shift -= 6)
        out.push_back(static_cast<char>(0x80 | ((code_point >> shift) & 0x3F)));
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

} // namespace scribblet::resources
