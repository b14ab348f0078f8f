#include "platform/resources/accelerator_resource.h"

#include "platform/resources/byte_reader.h"

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
        AcceleratorEntry entry;
        entry.fVirt = static_cast<std::uint8_t>(flags & 0x7F);
        entry.key = reader.u16();
        entry.cmd = reader.u16();
        reader.skip(2); // padding
        if (!reader.ok())
            return std::nullopt;
        entries.push_back(entry);
        if (flags & last_entry_flag)
            return entries;
    }
}

} // namespace scribblet::resources
