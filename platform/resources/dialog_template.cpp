// DLGTEMPLATEEX: WORD version 1 and signature 0xFFFF; DWORD help id,
// extended style, style; WORD item count; short x, y, cx, cy; the menu and
// window class (each 0x0000 for none, 0xFFFF and an ordinal, or a UTF-16
// string); the title; with DS_SETFONT, WORD point size and weight, BYTE
// italic and charset, and the typeface. Then each item, on a DWORD boundary:
// DWORD help id, extended style, style; short x, y, cx, cy; DWORD id; class
// and title (each 0xFFFF and an ordinal, or a string); a WORD count of
// creation data bytes, then those bytes.
#include "platform/resources/dialog_template.h"

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

DialogItem read_item(ByteReader &reader)
{
    DialogItem item;
    reader.align(4);
    reader.skip(8); // help id, extended style
    item.style = reader.u32();
    read_frame(reader, item.x, item.y, item.cx, item.cy);
    item.id = reader.u32();
    const ResourceName window_class = reader.name_or_ordinal();
    item.class_ordinal = window_class.is_ordinal ? window_class.ordinal : 0;
    item.title = reader.name_or_ordinal();
    reader.skip(reader.u16()); // creation data
    return item;
}

} // namespace

std::optional<DialogTemplate>
parse_dialog_template(std::span<const std::uint8_t> data)
{
    ByteReader reader(data);
    if (reader.u16() != extended_version || reader.u16() != extended_signature)
        return std::nullopt;
    DialogTemplate dialog;
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
    for (std::uint16_t i = 0; i < item_count && reader.ok(); ++i)
        dialog.items.push_back(read_item(reader));
    if (!reader.ok())
        return std::nullopt;
    return dialog;
}

} // namespace scribblet::resources
