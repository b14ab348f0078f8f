// Accelerator tables (RT_ACCELERATOR): 8-byte entries of a WORD of flags
// (ACCEL's fVirt, and 0x80 on the last entry), a WORD key (a virtual-key
// code with FVIRTKEY, else a character code), a WORD command id and a WORD
// of padding.
#include "platform/resources/byte_reader.h"
#include "platform/resources/resource_reader.h"

namespace scribblet::resources {

namespace {
constexpr std::uint16_t last_entry_flag = 0x80;
}

std::optional<std::vector<AcceleratorEntry>>
parse_accelerators(std::span<const std::uint8_t> data)
{
    ByteReader reader(data);
    std::vector<AcceleratorEntry> entries;
    for (;;) {
        const std::uint16_t flags = reader.u16();
        // Read in this order: a braced list is evaluated left to right.
        const AcceleratorEntry entry{static_cast<std::uint8_t>(flags & 0x7F),
                                     reader.u16(), reader.u16()};
        reader.skip(2); // padding
        if (!reader.ok())
            return std::nullopt;
        entries.push_back(entry);
        if (flags & last_entry_flag)
            return entries;
    }
}

} // namespace scribblet::resources
