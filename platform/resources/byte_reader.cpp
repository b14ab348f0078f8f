#include "platform/resources/byte_reader.h"

#include "platform/resources/utf16.h"

namespace scribblet::resources {

bool ByteReader::have(std::size_t count)
{
    if (ok_ && count <= remaining())
        return true;
    ok_ = false;
    return false;
}

std::uint8_t ByteReader::u8()
{
    if (!have(1))
        return 0;
    return bytes_[position_++];
}

std::uint16_t ByteReader::u16()
{
    if (!have(2))
        return 0;
    const auto value = static_cast<std::uint16_t>(bytes_[position_] |
                                                  (bytes_[position_ + 1] << 8));
    position_ += 2;
    return value;
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

std::string ByteReader::utf16z()
{
    std::u16string units;
    while (ok_) {
        const char16_t unit = u16();
        if (!ok_ || unit == 0)
            break;
        units.push_back(unit);
    }
    return ok_ ? utf16_to_utf8(units) : std::string();
}

ResourceName ByteReader::name_or_ordinal()
{
    if (remaining() >= 2 && bytes_[position_] == 0xFF &&
        bytes_[position_ + 1] == 0xFF) {
        skip(2);
        return ResourceName::from_ordinal(u16());
    }
    return ResourceName::from_text(utf16z());
}

} // namespace scribblet::resources
