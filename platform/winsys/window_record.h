// The records behind window classes, windows and their menus, kept by the
// window system (window_system.h) and read by the files of this folder. The
// rest of the layer knows windows only by their handles.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_RECORD_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_RECORD_H

#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/resources/menu_resource.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_state.h"
#include "platform/winsys/window_surface.h"

namespace scribblet::winsys {

// What the layer keeps of a registered class. Every window is repainted
// whole after a resize, on white: the program's class asks for that
// (CS_HREDRAW | CS_VREDRAW, the window colour), and the dialogs' classes
// never change size once shown nor paint, so style and background go unread.
// The icon group of hIcon holds every size, the small one's too.
struct WindowClass {
    std::string name;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    WORD menu_id = 0; // the class menu's resource number, 0 for none
};

// The class registered under name, compared without regard to the case of
// ASCII letters as Windows compares it; nullptr when none is. Classes live
// until the process ends, so windows may point at them. They are known by
// name only: the program never names one by its atom.
const WindowClass *find_class(LPCSTR name);

// A menu bar made from a menu resource, shown by one window.
struct MenuRecord {
    resources::Menu menu;
    HWND window = nullptr;
};

// The item with this command id anywhere in the menu, popups included;
// nullptr when there is none.
resources::MenuItem *find_menu_command(resources::Menu &menu, UINT id);

struct Window {
    HWND handle = nullptr;
    const WindowClass *window_class = nullptr;
    DWORD style = 0;
    std::string title;
    HWND parent = nullptr; // WS_CHILD windows only
    HWND owner = nullptr;  // top-level windows only
    int child_id = 0;      // WS_CHILD windows only
    HMENU menu = nullptr;  // top-level windows only

    // The window rectangle: screen coordinates for a top-level window,
    // the parent's client coordinates for a child.
    RECT window_rect{};
    // The client area, relative to the window rectangle's top-left corner.
    RECT client_rect{};
    // SIZE_RESTORED, SIZE_MINIMIZED or SIZE_MAXIMIZED, as the user left it.
    int size_kind = SIZE_RESTORED;

    // The update region, kept as its bounding rectangle in client
    // coordinates (empty when nothing needs painting).
    RECT update{};
    bool erase_pending = false;
    // What the paint in progress covers (BeginPaint's rcPaint).
    RECT paint_clip{};

    bool visible = false;
    bool enabled = true;
    bool destroying = false;

    // What the window's internal class keeps (a dialog's or a control's).
    std::unique_ptr<WindowState> state;
    WindowSurface surface;
    // Declared last: the toolkit's view of the window goes first.
    std::unique_ptr<WindowPeer> peer;
};

// Rectangle helpers.
inline LONG width_of(const RECT &r)
{
    return r.right - r.left;
}
inline LONG height_of(const RECT &r)
{
    return r.bottom - r.top;
}
inline bool is_empty(const RECT &r)
{
    return r.right <= r.left || r.bottom <= r.top;
}
// The bounding rectangle of a and of b, which is not empty.
RECT united(const RECT &a, const RECT &b);
RECT intersected(const RECT &a, const RECT &b);

// The client rectangle in client coordinates: (0, 0, width, height).
inline RECT client_area(const Window &window)
{
    return RECT{0, 0, width_of(window.client_rect),
                height_of(window.client_rect)};
}

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_RECORD_H
