// CreateWindowExA, DestroyWindow, ShowWindow and UpdateWindow.
#include <algorithm>

#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;

namespace {

// Where CW_USEDEFAULT puts a top-level window: a little in from the work
// area's corner, each new window further down and right (Windows cascades
// them), three quarters of the work area in size. Windows puts the whole
// window there, caption and borders included; the window manager's frame
// lies outside our window rectangle, so the peer is told that the place is
// the default one and puts the frame there (PeerLook::default_corner).
RECT default_window_rect(int x, int y, int width, int height)
{
    static int cascade = 0;
    const RECT work = window_system().work_area();
    if (x == CW_USEDEFAULT) {
        const int step = 26 * (cascade++ % 8);
        x = work.left + step;
        y = work.top + step;
    }
    if (width == CW_USEDEFAULT) {
        width = width_of(work) * 3 / 4;
        height = height_of(work) * 3 / 4;
    }
    return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

} // namespace

// A child is placed in its parent's client area, exactly as asked; a
// top-level window's owner is the top-level window of the one given.
HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName,
                            LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent,
                            HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    WindowSystem &system = window_system();
    const WindowClass *window_class = find_class(lpClassName);
    const bool child = (dwStyle & WS_CHILD) != 0;
    if (window_class == nullptr || (child && !system.find(hWndParent)))
        return nullptr;
    auto w = std::make_unique<Window>();
    w->window_class = window_class;
    w->style = dwStyle;
    w->title = lpWindowName != nullptr ? lpWindowName : "";
    w->enabled = (dwStyle & WS_DISABLED) == 0;
    if (child) {
        w->parent = hWndParent;
        w->child_id = static_cast<int>(reinterpret_cast<INT_PTR>(hMenu));
        w->window_rect = RECT{X, Y, X + nWidth, Y + nHeight};
    } else {
        w->owner = system.top_level(hWndParent);
        w->window_rect = default_window_rect(X, Y, nWidth, nHeight);
    }
    CREATESTRUCTA cs{lpParam,
                     hInstance,
                     hMenu,
                     hWndParent,
                     nHeight,
                     nWidth,
                     Y,
                     X,
                     static_cast<LONG>(dwStyle),
                     lpWindowName,
                     lpClassName,
                     dwExStyle};
    return system.create(std::move(w), cs);
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    Window *w = window_system().find(hWnd);
    if (w == nullptr)
        return FALSE;
    window_system().destroy(*w);
    return TRUE;
}

// Every command but SW_HIDE shows the window, activated: the program shows
// its windows with SW_SHOWDEFAULT (a normal show, as there is no launcher's
// start-up information), SW_SHOWNORMAL and SW_SHOW. Returns whether it was
// visible before.
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    Window *w = window_system().find(hWnd);
    if (w == nullptr)
        return FALSE;
    const BOOL was_visible = w->visible ? TRUE : FALSE;
    window_system().show(*w, nCmdShow != SW_HIDE);
    return was_visible;
}

// Paints at once, without going through the queue.
BOOL WINAPI UpdateWindow(HWND hWnd)
{
    const Window *w = window_system().find(hWnd);
    if (w == nullptr)
        return FALSE;
    if (w->visible && !is_empty(w->update))
        window_system().send(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}
