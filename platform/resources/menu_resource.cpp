// A menu template: WORD version (0) and header size (the bytes to skip after
// these two), then the items. A popup is its WORD flags (MF_POPUP), its text
// and its own items; an item is its WORD flags, WORD command id and text.
// The last item of each level has MF_END in its flags. Texts are zero-ended
// UTF-16.
#include "platform/resources/menu_resource.h"

#include "platform/resources/byte_reader.h"

namespace scribblet::resources {

namespace {

// Reads the items of one level, up to and including the one marked MF_END.
bool read_items(ByteReader &reader, int depth, std::vector<MenuItem> &items)
{
    if (depth > max_menu_depth)
        return false;
    for (;;) {
        MenuItem item;
        const std::uint16_t flags = reader.u16();
        item.flags = flags & static_cast<std::uint16_t>(~MF_END);
        if (!item.is_popup())
            item.id = reader.u16();
        item.text = reader.utf16z();
        if (!reader.ok())
            return false;
        if (item.is_popup() && !read_items(reader, depth + 1, item.items))
            return false;
        items.push_back(std::move(item));
        if (flags & MF_END)
            return true;
    }
}

} // namespace

// As the template marks one: MF_SEPARATOR, or an id of 0 and no text.
bool MenuItem::is_separator() const
{
    return !is_popup() &&
           ((flags & MF_SEPARATOR) != 0 || (id == 0 && text.empty()));
}

std::optional<Menu> parse_menu(std::span<const std::uint8_t> data)
{
    ByteReader reader(data);
    const std::uint16_t version = reader.u16();
    const std::uint16_t header_size = reader.u16();
    reader.skip(header_size);
    if (!reader.ok() || version != 0)
        return std::nullopt;
    Menu menu;
    if (!read_items(reader, 1, menu.items))
        return std::nullopt;
    return menu;
}

} // namespace scribblet::resources
