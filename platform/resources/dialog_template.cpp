#include "platform/resources/dialog_template.h"

#include <array>
#include <utility>

#include "platform/resources/byte_reader.h"

namespace scribblet::resources {

namespace {

constexpr std::uint16_t extended_version = 1;
constexpr std::uint16_t extended_signature = 0xFFFF;
constexpr std::uint32_t set_font_style = DS_SETFONT;

void read_frame(ByteReader &reader, std::int16_t &x, std::int16_t &y,
                std::int16_t &cx, std::int16_t &cy) {
    x = reader.i16();
    y = reader.i16();
    cx = reader.i16();
    cy = reader.i16();
}

// Help id, styles and the frame; the extended form puts the help id first
// and the extended style before the style, the classic form the other way.
void read_item_head(ByteReader &reader, bool extended, DialogItem &item) {
    if (extended) {
        item.help_id = reader.u32();
        item.ex_style = reader.u32();
        item.style = reader.u32();
    } else {
        item.style = reader.u32();
        item.ex_style = reader.u32();
    }
    read_frame(reader, item.x, item.y, item.cx, item.cy);
    item.id = extended ? reader.u32() : reader.u16();
}

bool read_item(ByteReader &reader, bool extended, DialogItem &item) {
    reader.align(4);
    read_item_head(reader, extended, item);
    item.window_class = reader.name_or_ordinal();
    item.title = reader.name_or_ordinal();
    const std::size_t extra_size = reader.u16();
    const auto extra = reader.take(extra_size);
    item.extra.assign(extra.begin(), extra.end());
    return reader.ok();
}

DialogFont read_font(ByteReader &reader, bool extended) {
    DialogFont font;
    font.point_size = reader.u16();
    if (extended) {
        font.weight = reader.u16();
        font.italic = reader.u8();
        font.charset = reader.u8();
    }
    font.face = reader.utf16z();
    return font;
}

std::uint16_t read_header(ByteReader &reader, DialogTemplate &dialog) {
    const std::uint16_t first = reader.u16();
    const std::uint16_t second = reader.u16();
    dialog.extended = first == extended_version && second == extended_signature;
    if (dialog.extended) {
        dialog.help_id = reader.u32();
        dialog.ex_style = reader.u32();
        dialog.style = reader.u32();
    } else {
        dialog.style = first | (static_cast<std::uint32_t>(second) << 16);
        dialog.ex_style = reader.u32();
    }
    const std::uint16_t item_count = reader.u16();
    read_frame(reader, dialog.x, dialog.y, dialog.cx, dialog.cy);
    dialog.menu = reader.optional_name_or_ordinal();
    dialog.window_class = reader.optional_name_or_ordinal();
    dialog.title = reader.utf16z();
    if (dialog.style & set_font_style)
        dialog.font = read_font(reader, dialog.extended);
    return item_count;
}

} // namespace

std::uint16_t predefined_class_ordinal(const ResourceName &window_class) {
    static constexpr std::array<std::pair<const char *, std::uint16_t>, 6> names{{
        {"Button", control_class::button},
        {"Edit", control_class::edit},
        {"Static", control_class::static_text},
        {"ListBox", control_class::list_box},
        {"ScrollBar", control_class::scroll_bar},
        {"ComboBox", control_class::combo_box},
    }};
    if (window_class.is_ordinal)
        return window_class.ordinal >= control_class::button &&
                       window_class.ordinal <= control_class::combo_box
                   ? window_class.ordinal
                   : 0;
    for (const auto &[name, ordinal] : names)
        if (window_class == ResourceName::from_text(name))
            return ordinal;
    return 0;
}

std::optional<DialogTemplate>
parse_dialog_template(std::span<const std::uint8_t> data) {
    ByteReader reader(data);
    DialogTemplate dialog;
    const std::uint16_t item_count = read_header(reader, dialog);
    for (std::uint16_t i = 0; i < item_count && reader.ok(); ++i) {
        DialogItem item;
        if (!read_item(reader, dialog.extended, item))
            return std::nullopt;
        dialog.items.push_back(std::move(item));
    }
    if (!reader.ok())
        return std::nullopt;
    return dialog;
}

} // namespace scribblet::resources
