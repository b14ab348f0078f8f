// GetMenu and EnableMenuItem on menus built from menu resources.
#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

resources::MenuItem *find_in(std::vector<resources::MenuItem> &items, UINT id)
{
    for (resources::MenuItem &item : items) {
        resources::MenuItem *found = item.is_popup() ? find_in(item.items, id)
                                     : !item.is_separator() && item.id == id
                                         ? &item
                                         : nullptr;
        if (found != nullptr)
            return found;
    }
    return nullptr;
}

} // namespace

resources::MenuItem *find_menu_command(resources::Menu &menu, UINT id)
{
    return find_in(menu.items, id);
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;
namespace resources = scribblet::resources;

HMENU WINAPI GetMenu(HWND hWnd)
{
    const Window *w = window_system().find(hWnd);
    return w != nullptr ? w->menu : nullptr;
}

// By command (MF_BYCOMMAND, the program's only way) the item is searched
// for in every popup. The result is the item's previous state, or -1 when
// there is none.
BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    constexpr UINT state_bits = MF_GRAYED | MF_DISABLED;
    MenuRecord *record = window_system().menu(hMenu);
    resources::MenuItem *item =
        record != nullptr ? find_menu_command(record->menu, uIDEnableItem)
                          : nullptr;
    if (item == nullptr)
        return -1;
    const BOOL previous = item->flags & state_bits;
    item->flags = static_cast<std::uint16_t>((item->flags & ~state_bits) |
                                             (uEnable & state_bits));
    const Window *w = window_system().find(record->window);
    if (w != nullptr && w->peer)
        w->peer->menu_changed(record->menu);
    return previous;
}
