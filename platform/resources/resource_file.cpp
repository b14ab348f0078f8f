#include "platform/resources/resource_file.h"

#include "platform/resources/byte_reader.h"

namespace scribblet::resources {

namespace {

// The leading empty entry: no data, a 32-byte header, type 0 and name 0.
constexpr std::size_t empty_entry_size = 32;

bool is_empty_leading_entry(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    const std::uint32_t data_size = reader.u32();
    const std::uint32_t header_size = reader.u32();
    const ResourceName type = reader.name_or_ordinal();
    const ResourceName name = reader.name_or_ordinal();
    return reader.ok() && data_size == 0 && header_size == empty_entry_size &&
           type == ResourceName::from_ordinal(0) &&
           name == ResourceName::from_ordinal(0) &&
           bytes.size() >= empty_entry_size;
}

// Reads the fields of one header, given exactly its HeaderSize bytes.
bool read_header(std::span<const std::uint8_t> header, ResourceEntry &entry)
{
    ByteReader reader(header);
    reader.skip(8); // DataSize and HeaderSize, read by the caller
    entry.type = reader.name_or_ordinal();
    entry.name = reader.name_or_ordinal();
    reader.align(4);
    // DataVersion, MemoryFlags, LanguageId, Version, Characteristics
    reader.skip(16);
    return reader.ok();
}

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
    if (!is_empty_leading_entry(all))
        return std::nullopt;

    std::size_t offset = empty_entry_size;
    while (offset < all.size()) {
        ByteReader sizes(all.subspan(offset));
        const std::size_t data_size = sizes.u32();
        const std::size_t header_size = sizes.u32();
        if (!sizes.ok() || header_size > all.size() - offset)
            return std::nullopt;
        ResourceEntry entry;
        if (!read_header(all.subspan(offset, header_size), entry))
            return std::nullopt;
        const std::size_t data_offset = offset + header_size;
        if (data_size > all.size() - data_offset)
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
