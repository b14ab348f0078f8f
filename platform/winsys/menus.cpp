// GetMenu and EnableMenuItem on menus built from menu resources.
#include "platform/winsys/menus.h"

#include <memory>

#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_record.h"

namespace scribblet::winsys {
namespace {

struct MenuRecord {
    resources::Menu menu;
    HWND window = nullptr;
};

HandleTable<MenuRecord, HMENU> &menu_table()
{
    static HandleTable<MenuRecord, HMENU> table(HandleKind::menu);
    return table;
}

resources::MenuItem *find_by_command(std::vector<resources::MenuItem> &items,
                                     UINT id)
{
    for (resources::MenuItem &item : items) {
        if (item.is_popup()) {
            if (resources::MenuItem *found = find_by_command(item.items, id))
                return found;
        } else if (!item.is_separator() && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

constexpr std::uint16_t state_bits = MF_GRAYED | MF_DISABLED;

} // namespace

HMENU make_menu(resources::Menu menu, HWND window)
{
    auto record = std::make_unique<MenuRecord>();
    record->menu = std::move(menu);
    record->window = window;
    return menu_table().add(std::move(record));
}

void free_menu(HMENU menu)
{
    menu_table().remove(menu);
}

const resources::Menu *menu_items(HMENU menu)
{
    const MenuRecord *record = menu_table().lookup(menu);
    return record != nullptr ? &record->menu : nullptr;
}

const resources::MenuItem *find_menu_command(HMENU menu, UINT id)
{
    MenuRecord *record = menu_table().lookup(menu);
    return record != nullptr ? find_by_command(record->menu.items, id)
                             : nullptr;
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;
namespace resources = scribblet::resources;

HMENU WINAPI GetMenu(HWND hWnd)
{
    const Window *w = find_window(hWnd);
    return w != nullptr && w->parent == nullptr ? w->menu : nullptr;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    MenuRecord *record = menu_table().lookup(hMenu);
    if (record == nullptr)
        return -1;
    // By command the item is searched for in every popup; by position it
    // is the menu bar's item at that index.
    resources::MenuItem *item = nullptr;
    if ((uEnable & MF_BYPOSITION) != 0) {
        if (uIDEnableItem < record->menu.items.size())
            item = &record->menu.items[uIDEnableItem];
    } else {
        item = find_by_command(record->menu.items, uIDEnableItem);
    }
    // The result is the item's previous state, or -1 when there is none.
    if (item == nullptr)
        return -1;
    const BOOL previous = item->flags & state_bits;
    item->flags = static_cast<std::uint16_t>((item->flags & ~state_bits) |
                                             (uEnable & state_bits));
    Window *w = find_window(record->window);
    if (w != nullptr && w->peer)
        w->peer->menu_changed(record->menu);
    return previous;
}
