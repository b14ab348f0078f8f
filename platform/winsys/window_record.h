// The records behind window classes and windows. Private to the window
// system and its Qt edge.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_RECORD_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_RECORD_H

#include <memory>
#include <string>
#include <vector>

#include "platform/handles/handle_table.h"
#include "platform/platform.h"

namespace scribblet::winsys {

class WindowPeer;

// A resource name as a class keeps it: an ordinal or a copy of the string.
struct ResourceRef {
    bool is_ordinal = true;
    WORD ordinal = 0;
    std::string text;

    bool empty() const
    {
        return is_ordinal && ordinal == 0;
    }
    // The name in the form the resource functions take.
    LPCSTR as_lpcstr() const
    {
        return is_ordinal ? MAKEINTRESOURCEA(ordinal) : text.c_str();
    }
    static ResourceRef from_lpcstr(LPCSTR name);
};

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON icon_small = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    ResourceRef menu_name;
};

struct Window {
    const WindowClass *window_class = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
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

    // The update region, kept as its bounding rectangle in client
    // coordinates (empty when nothing needs painting).
    RECT update{};
    bool erase_pending = false;
    // What the paint in progress covers (BeginPaint's rcPaint).
    RECT paint_clip{};

    bool visible = false;
    bool enabled = true;
    bool destroying = false;
    int show_state =
        SW_SHOWNORMAL;   // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
    RECT restore_rect{}; // the window rectangle before maximising
    LONG_PTR data = 0;

    // The backing surface that BeginPaint draws on: a 32-bit bitmap of the
    // client size selected into a memory DC, made by the first BeginPaint.
    HDC surface_dc = nullptr;
    HBITMAP surface = nullptr;
    HGDIOBJ surface_original = nullptr;

    std::unique_ptr<WindowPeer> peer;

    Window();
    ~Window();
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;
};

// The window table. Lookup of a null, stale or foreign handle gives nullptr.
HandleTable<Window, HWND> &window_table();
Window *find_window(HWND hwnd);

// Every live window in creation order (top-level and child alike).
const std::vector<HWND> &windows_in_creation_order();
void note_created(HWND hwnd);
void note_destroyed(HWND hwnd);

// The class registered under name (compared without regard to the case of
// ASCII letters, as Windows does), or nullptr.
const WindowClass *find_class(const char *name);

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
RECT united(const RECT &a, const RECT &b);
RECT intersected(const RECT &a, const RECT &b);

// The client rectangle in client coordinates: (0, 0, width, height).
RECT client_area(const Window &window);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_RECORD_H
