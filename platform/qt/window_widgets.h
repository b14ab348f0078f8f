// Windows and their Qt widgets, each found from the other. A top-level
// window's widget is its client area (below the menu bar, beside the scroll
// bars); a child window's widget is a plain container placed at the child's
// rectangle inside its parent's client widget, into which a control puts its
// own Qt widget (filling it).
#ifndef SCRIBBLET_PLATFORM_QT_WINDOW_WIDGETS_H
#define SCRIBBLET_PLATFORM_QT_WINDOW_WIDGETS_H

#include "platform/platform.h"

class QWidget;

namespace scribblet::qt {

// The Qt widget of a window, nullptr for an unknown handle or before the Qt
// edge is installed. It lives until DestroyWindow.
QWidget *window_widget(HWND hwnd);

// The window whose widget is widget, or one of widget's ancestors; NULL when
// none.
HWND window_from_widget(const QWidget *widget);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_WINDOW_WIDGETS_H
