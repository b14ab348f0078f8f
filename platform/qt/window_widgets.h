// The Qt widget of a top-level window's client area (below the menu bar,
// beside the scroll bars), into which a dialog puts its controls' widgets.
#ifndef SCRIBBLET_PLATFORM_QT_WINDOW_WIDGETS_H
#define SCRIBBLET_PLATFORM_QT_WINDOW_WIDGETS_H

#include "platform/platform.h"

class QWidget;

namespace scribblet::qt {

// nullptr for a child window, an unknown handle, or before the Qt edge is
// installed. It lives until DestroyWindow.
QWidget *window_widget(HWND hwnd);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_WINDOW_WIDGETS_H
