// Menu resources (RT_MENU) in the normal menu template format.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_MENU_RESOURCE_H
#define SCRIBBLET_PLATFORM_RESOURCES_MENU_RESOURCE_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/windows_internal.h"

namespace scribblet::resources {

struct MenuItem {
    std::uint16_t flags = 0;     // MF_ values, without MF_END
    std::uint16_t id = 0;        // command id; 0 for popups and separators
    std::string text;            // UTF-8, the '&' mnemonic marks kept as stored
    std::vector<MenuItem> items; // a popup's items

    bool is_popup() const
    {
        return (flags & MF_POPUP) != 0;
    }
    bool is_separator() const;
};

struct Menu {
    std::vector<MenuItem> items; // the menu bar's top-level items
};

// Parses a menu resource's data. Nothing for a truncated or malformed
// template, a MENUEX template (version 1), or popups nested deeper than
// max_menu_depth.
inline constexpr int max_menu_depth = 32;
std::optional<Menu> parse_menu(std::span<const std::uint8_t> data);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_MENU_RESOURCE_H
