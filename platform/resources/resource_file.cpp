// A .res file, as windres and rc write it, is a sequence of entries, each a
// RESOURCEHEADER and the data: DWORD DataSize and HeaderSize; the type and
// the name, each 0xFFFF and a WORD ordinal or a zero-ended UTF-16 string;
// padding to a DWORD boundary; DWORD DataVersion, WORD MemoryFlags and
// LanguageId, DWORD Version and Characteristics. The data starts HeaderSize
// bytes after the header's start and is padded to a DWORD boundary.
#include "platform/resources/resource_file.h"

#include <algorithm>
#include <array>

#include "platform/resources/byte_reader.h"

namespace scribblet::resources {

namespace {

// The leading empty entry that marks the 32-bit format: no data, a 32-byte
// header, type 0 and name 0; the rest of its header is not looked at.
constexpr std::size_t empty_entry_size = 32;
constexpr std::array<std::uint8_t, 16> empty_entry_start = {
    0, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};

std::size_t round_up_to_dword(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

} // namespace

std::optional<ResourceFile> ResourceFile::parse(std::vector<std::uint8_t> bytes)
{
    ResourceFile file;
    file.bytes_ = std::move(bytes);
    const std::span<const std::uint8_t> all(file.bytes_);
    if (all.size() < empty_entry_size ||
        !std::equal(empty_entry_start.begin(), empty_entry_start.end(),
                    all.begin()))
        return std::nullopt;

    std::size_t offset = empty_entry_size;
    while (offset < all.size()) {
        ByteReader sizes(all.subspan(offset));
        const std::size_t data_size = sizes.u32();
        const std::size_t header_size = sizes.u32();
        if (!sizes.ok() || header_size > all.size() - offset)
            return std::nullopt;
        ByteReader header(all.subspan(offset, header_size));
        header.skip(8); // the sizes
        ResourceEntry entry{
            header.name_or_ordinal(), header.name_or_ordinal(), {}};
        header.align(4);
        header.skip(16); // DataVersion ... Characteristics
        const std::size_t data_offset = offset + header_size;
        if (!header.ok() || data_size > all.size() - data_offset)
            return std::nullopt;
        entry.data = all.subspan(data_offset, data_size);
        file.entries_.push_back(std::move(entry));
        // The last entry's padding may be missing.
        offset = round_up_to_dword(data_offset + data_size);
    }
    return file;
}

const ResourceEntry *ResourceFile::find(LPCSTR type, LPCSTR name) const
{
    for (const ResourceEntry &entry : entries_)
        if (entry.type.is(type) && entry.name.is(name))
            return &entry;
    return nullptr;
}

} // namespace scribblet::resources
