#include "platform/qt/menu_bar.h"

#include <QMenu>

#include "platform/winsys/window_peer.h"

namespace scribblet::qt {
namespace {

bool is_greyed(const resources::MenuItem &item)
{
    return (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

void collect_states(const std::vector<resources::MenuItem> &items,
                    std::map<UINT, bool> &enabled)
{
    for (const resources::MenuItem &item : items) {
        if (item.is_popup())
            collect_states(item.items, enabled);
        else if (!item.is_separator())
            enabled[item.id] = !is_greyed(item);
    }
}

} // namespace

// The bar's items are popups: the program's menu has no command on the bar
// itself.
MenuBar::MenuBar(HWND hwnd, const resources::Menu &menu, QWidget *parent)
    : QMenuBar(parent), hwnd_(hwnd)
{
    setNativeMenuBar(false);
    for (const resources::MenuItem &item : menu.items) {
        QMenu *popup = addMenu(QString::fromStdString(item.text));
        popup->setEnabled(!is_greyed(item));
        add_items(popup, item.items);
    }
}

void MenuBar::add_items(QMenu *into,
                        const std::vector<resources::MenuItem> &items)
{
    for (const resources::MenuItem &item : items) {
        if (item.is_popup()) {
            QMenu *popup = into->addMenu(QString::fromStdString(item.text));
            popup->setEnabled(!is_greyed(item));
            add_items(popup, item.items);
        } else if (item.is_separator()) {
            into->addSeparator();
        } else {
            into->addAction(make_action(item, into));
        }
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
    actions_[id] = action;
    return action;
}

void MenuBar::update_states(const resources::Menu &menu)
{
    std::map<UINT, bool> enabled;
    collect_states(menu.items, enabled);
    for (const auto &[id, on] : enabled)
        if (auto it = actions_.find(id); it != actions_.end())
            it->second->setEnabled(on);
}

} // namespace scribblet::qt
