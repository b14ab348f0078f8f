#include "platform/resources/dialog_template.h"

#include <utility>

#include "platform/resources/byte_reader.h"

namespace scribblet::resources {

namespace {

constexpr std::uint16_t extended_version = 1;
constexpr std::uint16_t extended_signature = 0xFFFF;

void read_frame(ByteReader &reader, std::int16_t &x, std::int16_t &y,
                std::int16_t &cx, std::int16_t &cy)
{
    x = reader.i16();
    y = reader.i16();
    cx = reader.i16();
    cy = reader.i16();
}

bool read_item(ByteReader &reader, DialogItem &item)
{
    reader.align(4);
    reader.skip(8); // help id, extended style
    item.style = reader.u32();
    read_frame(reader, item.x, item.y, item.cx, item.cy);
    item.id = reader.u32();
    const ResourceName window_class = reader.name_or_ordinal();
    item.class_ordinal = window_class.is_ordinal ? window_class.ordinal : 0;
    item.title = reader.name_or_ordinal();
    reader.skip(reader.u16()); // creation data
    return reader.ok();
}

// The header up to the items; returns the item count.
std::uint16_t read_header(ByteReader &reader, DialogTemplate &dialog)
{
    const std::uint16_t version = reader.u16();
    const std::uint16_t signature = reader.u16();
    if (version != extended_version || signature != extended_signature)
        reader.fail();
    reader.skip(8); // help id, extended style
    dialog.style = reader.u32();
    const std::uint16_t item_count = reader.u16();
    read_frame(reader, dialog.x, dialog.y, dialog.cx, dialog.cy);
    reader.name_or_ordinal(); // menu
    reader.name_or_ordinal(); // window class
    dialog.title = reader.utf16z();
    if (dialog.style & DS_SETFONT) {
        dialog.point_size = reader.u16();
        reader.skip(4); // weight, italic, charset
        dialog.face = reader.utf16z();
    }
    return item_count;
}

} // namespace

std::optional<DialogTemplate>
parse_dialog_template(std::span<const std::uint8_t> data)
{
    ByteReader reader(data);
    DialogTemplate dialog;
    const std::uint16_t item_count = read_header(reader, dialog);
    for (std::uint16_t i = 0; i < item_count && reader.ok(); ++i) {
        DialogItem item;
        if (!read_item(reader, item))
            return std::nullopt;
        dialog.items.push_back(std::move(item));
    }
    if (!reader.ok())
        return std::nullopt;
    return dialog;
}

} // namespace scribblet::resources
