// Dialog templates (RT_DIALOG), extended form (DLGTEMPLATEEX):
//
//     WORD dlgVer (1), WORD signature (0xFFFF)
//     DWORD helpID, exStyle, style; WORD cDlgItems; short x, y, cx, cy
//     menu, windowClass    each 0x0000 (none), 0xFFFF + ordinal, or a UTF-16 string
//     title                zero-ended UTF-16
//     with DS_SETFONT:     WORD pointsize, weight; BYTE italic, charset; typeface
//     items, each on a DWORD boundary (DLGITEMTEMPLATEEX):
//         DWORD helpID, exStyle, style; short x, y, cx, cy; DWORD id
//         windowClass, title   each 0xFFFF + ordinal or a UTF-16 string
//         WORD extraCount, then extraCount bytes of creation data
//
// The classic form (DLGTEMPLATE, no signature) is read into the same record:
// it has no help ids or font weight, and 16-bit item ids.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_DIALOG_TEMPLATE_H
#define SCRIBBLET_PLATFORM_RESOURCES_DIALOG_TEMPLATE_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/resources/resource_name.h"

namespace scribblet::resources {

// The predefined control classes, as item class ordinals.
namespace control_class {
inline constexpr std::uint16_t button = 0x0080;
inline constexpr std::uint16_t edit = 0x0081;
inline constexpr std::uint16_t static_text = 0x0082;
inline constexpr std::uint16_t list_box = 0x0083;
inline constexpr std::uint16_t scroll_bar = 0x0084;
inline constexpr std::uint16_t combo_box = 0x0085;
} // namespace control_class

// The ordinal of a predefined class given by ordinal or by its name
// ("Button", "Edit", ... in any case); 0 for any other class.
std::uint16_t predefined_class_ordinal(const ResourceName &window_class);

struct DialogFont {
    std::uint16_t point_size = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::string face; // UTF-8
};

struct DialogItem {
    std::uint32_t help_id = 0;
    std::uint32_t ex_style = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::uint32_t id = 0;
    ResourceName window_class; // an ordinal (control_class) or a class name
    ResourceName title;        // a text (UTF-8, maybe empty) or an ordinal
                               // (e.g. the icon of an SS_ICON static)
    std::vector<std::uint8_t> extra; // creation data, usually empty
};

struct DialogTemplate {
    bool extended = true; // DLGTEMPLATEEX (else the classic form)
    std::uint32_t help_id = 0;
    std::uint32_t ex_style = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::optional<ResourceName> menu;           // none when absent
    std::optional<ResourceName> window_class;   // none: the dialog class
    std::string title;                          // UTF-8
    std::optional<DialogFont> font;             // present with DS_SETFONT
    std::vector<DialogItem> items;              // in template (tab) order
};

// Parses a dialog resource's data, either form. Nothing when it is
// truncated, has a wrong signature or an unterminated string.
std::optional<DialogTemplate>
parse_dialog_template(std::span<const std::uint8_t> data);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_DIALOG_TEMPLATE_H
