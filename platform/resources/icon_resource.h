// Icon groups (RT_GROUP_ICON) and their images (RT_ICON). A group is
//
//     WORD reserved (0), WORD type (1 for icons), WORD count
//     count entries of 14 bytes: BYTE width, height, colour count, reserved;
//     WORD planes, bit count; DWORD bytes in resource; WORD icon id
//
// where a width or height of 0 means 256 and each image is the RT_ICON
// resource of that id: a DIB (BITMAPINFOHEADER with doubled height, colour
// table, XOR and AND masks) or a PNG stream.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_ICON_RESOURCE_H
#define SCRIBBLET_PLATFORM_RESOURCES_ICON_RESOURCE_H

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace scribblet::resources {

class ResourceFile;

struct IconGroupEntry {
    std::uint8_t width = 0;  // 0 means 256
    std::uint8_t height = 0; // 0 means 256
    std::uint8_t color_count = 0;
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::uint32_t bytes_in_res = 0;
    std::uint16_t icon_id = 0; // the RT_ICON resource's ordinal
};

struct IconGroup {
    std::vector<IconGroupEntry> entries;
};

// Nothing when the data is truncated or not an icon group (type 1).
std::optional<IconGroup> parse_icon_group(std::span<const std::uint8_t> data);

// An .ico file holding every image of the group, in group order, taken from
// file's RT_ICON resources: the 6-byte ICONDIR, 16-byte ICONDIRENTRYs, then
// the images. Qt's ICO reader loads it. Nothing when an image is missing or
// the group is empty.
std::optional<std::vector<std::uint8_t>> make_ico_file(const ResourceFile &file,
                                                       const IconGroup &group);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_ICON_RESOURCE_H
