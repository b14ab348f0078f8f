// Menus as HMENU handles. Private to the window system and its Qt edge.
#ifndef SCRIBBLET_PLATFORM_WINSYS_MENUS_H
#define SCRIBBLET_PLATFORM_WINSYS_MENUS_H

#include "platform/platform.h"
#include "platform/resources/menu_resource.h"

namespace scribblet::winsys {

// A new menu handle for a parsed menu, shown by window; NULL when the table
// is full.
HMENU make_menu(resources::Menu menu, HWND window);
// Frees a window's menu when the window goes.
void free_menu(HMENU menu);
// The items of a live menu (their flags say which are grayed), or nullptr.
const resources::Menu *menu_items(HMENU menu);
// The item with this command id anywhere in the menu, popups included.
const resources::MenuItem *find_menu_command(HMENU menu, UINT id);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_MENUS_H
