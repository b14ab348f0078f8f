// A Qt menu bar built from a window's menu.
#ifndef SCRIBBLET_PLATFORM_QT_MENU_BAR_H
#define SCRIBBLET_PLATFORM_QT_MENU_BAR_H

#include <QAction>
#include <QMenuBar>

#include "platform/platform.h"
#include "platform/resources/menu_resource.h"

namespace scribblet::qt {

// The menu bar of hwnd: popups, items with their & mnemonics, separators.
// Choosing an item posts WM_COMMAND with its id to hwnd. The bar stays in
// the window (never the desktop's global menu), so its height is part of
// the window's frame.
class MenuBar : public QMenuBar {
public:
    MenuBar(HWND hwnd, const resources::Menu &menu, QWidget *parent);
    // Greys or enables each item as the menu's flags now say.
    void update_states(const std::vector<resources::MenuItem> &items);

private:
    void fill(QMenu *popup, const resources::MenuItem &popup_item);
    QAction *make_action(const resources::MenuItem &item, QWidget *owner);

    HWND hwnd_;
};

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_MENU_BAR_H
