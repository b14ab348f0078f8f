// The items of a window's menu bar, found by command.
#ifndef SCRIBBLET_PLATFORM_WINSYS_MENUS_H
#define SCRIBBLET_PLATFORM_WINSYS_MENUS_H

#include "platform/winsys/window_record.h"

namespace scribblet::winsys {

// The item with this command id anywhere in the menu, popups included;
// nullptr when there is none.
resources::MenuItem *find_menu_command(resources::Menu &menu, UINT id);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_MENUS_H
