#include "platform/resources/icon_resource.h"

#include <limits>

#include "platform/resources/byte_reader.h"
#include "platform/resources/resource_file.h"

namespace scribblet::resources {

namespace {

constexpr std::uint16_t icon_kind = 1;
constexpr std::size_t ico_header_size = 6;
constexpr std::size_t ico_entry_size = 16;

void put_u16(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    put_u16(out, static_cast<std::uint16_t>(value));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

// The images' data in group order; nothing when one is missing.
std::optional<std::vector<std::span<const std::uint8_t>>>
find_images(const ResourceFile &file, const IconGroup &group)
{
    std::vector<std::span<const std::uint8_t>> images;
    for (const IconGroupEntry &entry : group.entries) {
        const ResourceEntry *image =
            file.find(RT_ICON, MAKEINTRESOURCEA(entry.icon_id));
        if (image == nullptr)
            return std::nullopt;
        images.push_back(image->data);
    }
    return images;
}

} // namespace

std::optional<IconGroup> parse_icon_group(std::span<const std::uint8_t> data)
{
    ByteReader reader(data);
    const std::uint16_t reserved = reader.u16();
    const std::uint16_t kind = reader.u16();
    const std::uint16_t count = reader.u16();
    if (!reader.ok() || reserved != 0 || kind != icon_kind)
        return std::nullopt;
    IconGroup group;
    for (std::uint16_t i = 0; i < count && reader.ok(); ++i) {
        IconGroupEntry entry;
        entry.width = reader.u8();
        entry.height = reader.u8();
        entry.color_count = reader.u8();
        reader.skip(1); // reserved
        entry.planes = reader.u16();
        entry.bit_count = reader.u16();
        entry.bytes_in_res = reader.u32();
        entry.icon_id = reader.u16();
        group.entries.push_back(entry);
    }
    if (!reader.ok())
        return std::nullopt;
    return group;
}

std::optional<std::vector<std::uint8_t>> make_ico_file(const ResourceFile &file,
                                                       const IconGroup &group)
{
    const auto images = find_images(file, group);
    if (!images || images->empty())
        return std::nullopt;
    std::size_t total = ico_header_size + ico_entry_size * images->size();
    for (const auto &image : *images)
        total += image.size();
    if (total > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;

    std::vector<std::uint8_t> ico;
    ico.reserve(total);
    put_u16(ico, 0);
    put_u16(ico, icon_kind);
    put_u16(ico, static_cast<std::uint16_t>(images->size()));
    std::size_t offset = ico_header_size + ico_entry_size * images->size();
    for (std::size_t i = 0; i < images->size(); ++i) {
        const IconGroupEntry &entry = group.entries[i];
        const std::size_t size = (*images)[i].size();
        ico.push_back(entry.width);
        ico.push_back(entry.height);
        ico.push_back(entry.color_count);
        ico.push_back(0);
        put_u16(ico, entry.planes);
        put_u16(ico, entry.bit_count);
        put_u32(ico, static_cast<std::uint32_t>(size));
        put_u32(ico, static_cast<std::uint32_t>(offset));
        offset += size;
    }
    for (const auto &image : *images)
        ico.insert(ico.end(), image.begin(), image.end());
    return ico;
}

} // namespace scribblet::resources
