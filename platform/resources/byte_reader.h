// Bounds-checked reading of little-endian resource data. The first read that
// would go past the end puts the reader into a failed state: that read and
// every later one yield zeros and nothing is ever read out of bounds, so a
// parser may read a whole record and check ok() once.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_BYTE_READER_H
#define SCRIBBLET_PLATFORM_RESOURCES_BYTE_READER_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/resources/resource_name.h"

namespace scribblet::resources {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes)
    {
    }

    bool ok() const
    {
        return ok_;
    }

    std::uint8_t u8();
    std::uint16_t u16();
    std::int16_t i16()
    {
        return static_cast<std::int16_t>(u16());
    }
    std::uint32_t u32();

    // The next count bytes; empty (and failed) when fewer remain.
    std::span<const std::uint8_t> take(std::size_t count);
    void skip(std::size_t count)
    {
        take(count);
    }

    // Moves on to the next multiple of boundary, counted from the start.
    void align(std::size_t boundary);

    // Text in the resource format's UTF-16, as the UTF-8 that the narrow
    // ("A") functions hand out on this platform; an unpaired surrogate
    // becomes U+FFFD, as Windows' WideCharToMultiByte makes it for CP_UTF8.
    // utf16 reads count units, utf16z up to a zero unit.
    std::string utf16(std::size_t count);
    std::string utf16z();

    // An ordinal (0xFFFF, then the ordinal) or a zero-ended string; a
    // lone 0x0000 (none, in a dialog template) reads as the empty string.
    ResourceName name_or_ordinal();

private:
    bool have(std::size_t count);

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_BYTE_READER_H
