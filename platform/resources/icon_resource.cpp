// Icon groups (RT_GROUP_ICON): a WORD reserved (0), a WORD type (1 for
// icons), a WORD count, then count 14-byte entries (BYTE width, height,
// colour count, reserved; WORD planes, bit count; DWORD bytes; WORD the id
// of the RT_ICON resource that holds the image). An image is a DIB or a PNG
// stream, as in an .ico file.
#include <limits>

#include "platform/resources/byte_reader.h"
#include "platform/resources/resource_reader.h"

namespace scribblet::resources {

namespace {

constexpr std::uint16_t icon_kind = 1;
constexpr std::size_t ico_header_size = 6;
constexpr std::size_t ico_entry_size = 16;

// Writes the low `bytes` bytes of value at `at`, little-endian.
void put(std::uint8_t *at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
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
        reader.skip(4); // the image's size, taken from the image itself
        entry.icon_id = reader.u16();
        group.push_back(entry);
    }
    if (!reader.ok())
        return std::nullopt;
    return group;
}

std::optional<std::vector<std::uint8_t>>
make_ico_file(const ResourceFile &file, std::span<const std::uint8_t> data)
{
    const std::optional<IconGroup> group = parse_icon_group(data);
    if (!group)
        return std::nullopt;
    std::vector<std::span<const std::uint8_t>> images;
    const std::size_t images_offset =
        ico_header_size + ico_entry_size * group->size();
    std::size_t total = images_offset;
    for (const IconGroupEntry &entry : *group) {
        const ResourceEntry *image =
            file.find(RT_ICON, MAKEINTRESOURCEA(entry.icon_id));
        if (image == nullptr)
            return std::nullopt;
        images.push_back(image->data);
        total += image->data.size();
    }
    if (images.empty() || total > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;

    // The header and the directory first, zero where .ico has reserved
    // fields, then the images in directory order.
    std::vector<std::uint8_t> ico;
    ico.reserve(total);
    ico.resize(images_offset);
    put(&ico[2], icon_kind, 2);
    put(&ico[4], static_cast<std::uint32_t>(images.size()), 2);
    std::size_t offset = images_offset;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconGroupEntry &entry = (*group)[i];
        std::uint8_t *at = &ico[ico_header_size + ico_entry_size * i];
        at[0] = entry.width;
        at[1] = entry.height;
        at[2] = entry.color_count;
        put(at + 4, entry.planes, 2);
        put(at + 6, entry.bit_count, 2);
        put(at + 8, static_cast<std::uint32_t>(images[i].size()), 4);
        put(at + 12, static_cast<std::uint32_t>(offset), 4);
        offset += images[i].size();
    }
    for (const auto &image : images)
        ico.insert(ico.end(), image.begin(), image.end());
    return ico;
}

} // namespace scribblet::resources
