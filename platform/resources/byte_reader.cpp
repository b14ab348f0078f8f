#include "platform/resources/byte_reader.h"

namespace scribblet::resources {

namespace {

constexpr char32_t replacement_character = 0xFFFD;
// UTF-16's surrogates: 0x400 high ones, then 0x400 low ones.
constexpr char32_t high_surrogates = 0xD800;
constexpr char32_t low_surrogates = 0xDC00;

bool is_surrogate(char32_t unit, char32_t first)
{
    return unit >= first && unit < first + 0x400;
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

std::string utf16_to_utf8(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size() * 3);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (is_surrogate(unit, high_surrogates) && i + 1 < units.size() &&
            is_surrogate(units[i + 1], low_surrogates))
            append_utf8(out, 0x10000 + ((unit - high_surrogates) << 10) +
                                 (units[++i] - low_surrogates));
        else if (is_surrogate(unit, high_surrogates) ||
                 is_surrogate(unit, low_surrogates))
            append_utf8(out, replacement_character);
        else
            append_utf8(out, unit);
    }
    return out;
}

} // namespace

bool ByteReader::have(std::size_t count)
{
    if (ok_ && count <= bytes_.size() - position_)
        return true;
    ok_ = false;
    return false;
}

std::uint8_t ByteReader::u8()
{
    return have(1) ? bytes_[position_++] : 0;
}

std::uint16_t ByteReader::u16()
{
    if (!have(2))
        return 0;
    position_ += 2;
    return static_cast<std::uint16_t>(bytes_[position_ - 2] |
                                      (bytes_[position_ - 1] << 8));
}

std::uint32_t ByteReader::u32()
{
    const std::uint32_t low = u16();
    const std::uint32_t high = u16();
    return low | (high << 16);
}

std::span<const std::uint8_t> ByteReader::take(std::size_t count)
{
    if (!have(count))
        return {};
    const auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
}

void ByteReader::align(std::size_t boundary)
{
    const std::size_t misalignment = position_ % boundary;
    if (misalignment != 0)
        skip(boundary - misalignment);
}

std::string ByteReader::utf16(std::size_t count)
{
    std::u16string units(count, u'\0');
    for (char16_t &unit : units)
        unit = u16();
    return ok_ ? utf16_to_utf8(units) : std::string();
}

std::string ByteReader::utf16z()
{
    std::u16string units;
    for (char16_t unit = u16(); ok_ && unit != 0; unit = u16())
        units.push_back(unit);
    return ok_ ? utf16_to_utf8(units) : std::string();
}

ResourceName ByteReader::name_or_ordinal()
{
    if (have(2) && bytes_[position_] == 0xFF && bytes_[position_ + 1] == 0xFF) {
        skip(2);
        return {true, u16(), {}};
    }
    return {false, 0, utf16z()};
}

} // namespace scribblet::resources
