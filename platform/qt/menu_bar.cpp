#include "platform/qt/menu_bar.h"

#include <QMenu>

#include "platform/winsys/window_peer.h"

namespace scribblet::qt {
namespace {

bool is_greyed(const resources::MenuItem &item)
{
    return (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

} // namespace

// The bar's items are popups: the program's menu has no command on the bar
// itself.
MenuBar::MenuBar(HWND hwnd, const resources::Menu &menu, QWidget *parent)
    : QMenuBar(parent), hwnd_(hwnd)
{
    setNativeMenuBar(false);
    for (const resources::MenuItem &item : menu.items)
        fill(addMenu(QString::fromStdString(item.text)), item);
}

void MenuBar::fill(QMenu *popup, const resources::MenuItem &popup_item)
{
    popup->setEnabled(!is_greyed(popup_item));
    for (const resources::MenuItem &item : popup_item.items) {
        if (item.is_popup())
            fill(popup->addMenu(QString::fromStdString(item.text)), item);
        else if (item.is_separator())
            popup->addSeparator();
        else
            popup->addAction(make_action(item, popup));
    }
}

// An item is named by its command id, as Windows shows a menu item's id to
// automation tools.
QAction *MenuBar::make_action(const resources::MenuItem &item, QWidget *owner)
{
    auto *action = new QAction(QString::fromStdString(item.text), owner);
    action->setObjectName(QString::number(item.id));
    action->setEnabled(!is_greyed(item));
    const UINT id = item.id;
    const HWND hwnd = hwnd_;
    connect(action, &QAction::triggered, action,
            [hwnd, id] { winsys::toolkit_menu_command(hwnd, id); });
    return action;
}

void MenuBar::update_states(const std::vector<resources::MenuItem> &items)
{
    for (const resources::MenuItem &item : items) {
        if (item.is_popup())
            update_states(item.items);
        else if (auto *action = findChild<QAction *>(QString::number(item.id)))
            action->setEnabled(!is_greyed(item));
    }
}

} // namespace scribblet::qt
