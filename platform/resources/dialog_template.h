// Dialog templates (RT_DIALOG) in the extended form (DLGTEMPLATEEX), the
// only one the resource script writes. Only what the program's dialogs use
// is kept: no help ids, menu, own class, font weight or creation data (the
// script gives none of them).
#ifndef SCRIBBLET_PLATFORM_RESOURCES_DIALOG_TEMPLATE_H
#define SCRIBBLET_PLATFORM_RESOURCES_DIALOG_TEMPLATE_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/resources/resource_name.h"

namespace scribblet::resources {

// The predefined control classes that the script's dialogs use, as item
// class ordinals.
namespace control_class {
inline constexpr std::uint16_t button = 0x0080;
inline constexpr std::uint16_t edit = 0x0081;
inline constexpr std::uint16_t static_text = 0x0082;
} // namespace control_class

struct DialogItem {
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::uint32_t id = 0;
    std::uint16_t class_ordinal = 0; // control_class; 0 for a class by name
    ResourceName title; // a text (UTF-8, maybe empty) or an ordinal
                        // (the icon of an SS_ICON static)
};

struct DialogTemplate {
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0; // dialog units
    std::string title;                         // UTF-8
    std::uint16_t point_size = 0;              // with DS_SETFONT
    std::string face;                          // UTF-8, with DS_SETFONT
    std::vector<DialogItem> items;             // in template (tab) order
};

// Parses a dialog resource's data. Nothing when it is truncated, not the
// extended form or has an unterminated string.
std::optional<DialogTemplate>
parse_dialog_template(std::span<const std::uint8_t> data);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_DIALOG_TEMPLATE_H
