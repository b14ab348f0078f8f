// GetWindowRect, GetClientRect, SetWindowPos, EnableScrollBar and the size
// limits of a window.
#include "platform/winsys/window_geometry.h"

#include <algorithm>

#include "platform/winsys/message_queue.h"
#include "platform/winsys/painting.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

// The window rectangle in screen coordinates.
RECT screen_rect(const Window &w)
{
    RECT r = w.window_rect;
    if (w.parent != nullptr) {
        const POINT origin = client_origin(w.parent);
        r.left += origin.x;
        r.right += origin.x;
        r.top += origin.y;
        r.bottom += origin.y;
    }
    return r;
}

// Windows' smallest tracking size for a sizable top-level window.
constexpr LONG min_track_width = 112;
constexpr LONG min_track_height = 27;

constexpr RECT screen_without_toolkit{0, 0, 1024, 768};

// Windows keeps the size of a window with a sizing border, and of every
// top-level window that is not a popup, within its tracking sizes; other
// windows take any size they are given.
bool keeps_track_sizes(const Window &w)
{
    return (w.style & WS_THICKFRAME) != 0 ||
           (w.style & (WS_POPUP | WS_CHILD)) == 0;
}

} // namespace

RECT work_area()
{
    const Toolkit *toolkit = installed_toolkit();
    return toolkit != nullptr ? toolkit->work_area() : screen_without_toolkit;
}

RECT screen_area()
{
    const Toolkit *toolkit = installed_toolkit();
    return toolkit != nullptr ? toolkit->screen_area() : screen_without_toolkit;
}

RECT client_rect_for(const Window &window, const RECT &window_rect)
{
    FrameInsets f;
    if (window.peer)
        f = window.peer->frame(width_of(window_rect));
    RECT c{window_rect.left + f.left, window_rect.top + f.top,
           window_rect.right - f.right, window_rect.bottom - f.bottom};
    // A frame larger than the window leaves an empty client area.
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

MINMAXINFO query_min_max(HWND hwnd)
{
    // What the system fills in before asking: maximised, the window covers
    // the work area; its size stays between the smallest tracking size
    // (SM_CXMINTRACK) and the whole screen. Windows' largest tracking size
    // (SM_CXMAXTRACK) is the screen plus the window's sizing frame; here the
    // window manager's frame lies outside the window rectangle, so the
    // largest is the screen itself.
    const RECT work = work_area();
    const RECT screen = screen_area();
    MINMAXINFO mm{};
    mm.ptMaxSize = POINT{width_of(work), height_of(work)};
    mm.ptMaxPosition = POINT{0, 0};
    mm.ptMinTrackSize = POINT{min_track_width, min_track_height};
    mm.ptMaxTrackSize = POINT{width_of(screen), height_of(screen)};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    return mm;
}

POINT size_within_track(HWND hwnd, POINT size)
{
    const Window *w = find_window(hwnd);
    if (w == nullptr || !keeps_track_sizes(*w))
        return size;
    const bool minimised = w->show_state == SW_SHOWMINIMIZED;
    const MINMAXINFO mm = query_min_max(hwnd);
    // The largest size first, then the smallest, which wins where the
    // procedure made them cross; a minimised window has no smallest size.
    size.x = std::min(size.x, mm.ptMaxTrackSize.x);
    size.y = std::min(size.y, mm.ptMaxTrackSize.y);
    if (!minimised) {
        size.x = std::max(size.x, mm.ptMinTrackSize.x);
        size.y = std::max(size.y, mm.ptMinTrackSize.y);
    }
    return size;
}

RECT window_pos_changing(HWND hwnd, const RECT &proposed, UINT flags)
{
    WINDOWPOS pos{hwnd,
                  nullptr,
                  proposed.left,
                  proposed.top,
                  width_of(proposed),
                  height_of(proposed),
                  flags};
    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    // Windows treats a negative size as 0.
    return RECT{pos.x, pos.y, pos.x + std::max(pos.cx, 0),
                pos.y + std::max(pos.cy, 0)};
}

void set_window_rect(HWND hwnd, const RECT &window_rect, int size_kind,
                     SizeNotice notice, bool apply_to_peer)
{
    Window *w = find_window(hwnd);
    if (w == nullptr)
        return;
    const RECT old_client = client_area(*w);
    const int old_state = w->show_state;
    w->window_rect = window_rect;
    const RECT c = client_rect_for(*w, window_rect);
    w->client_rect =
        RECT{c.left - window_rect.left, c.top - window_rect.top,
             c.right - window_rect.left, c.bottom - window_rect.top};
    w->show_state = size_kind == SIZE_MAXIMIZED   ? SW_SHOWMAXIMIZED
                    : size_kind == SIZE_MINIMIZED ? SW_SHOWMINIMIZED
                                                  : SW_SHOWNORMAL;
    if (apply_to_peer && w->peer)
        w->peer->apply_geometry(window_rect);
    const RECT new_client = client_area(*w);
    const bool resized = width_of(new_client) != width_of(old_client) ||
                         height_of(new_client) != height_of(old_client);
    if (resized)
        client_resized(hwnd, old_client);
    if (!resized && old_state == w->show_state)
        return;
    // A minimised window reports no client area.
    const LPARAM size =
        size_kind == SIZE_MINIMIZED
            ? 0
            : MAKELPARAM(width_of(new_client), height_of(new_client));
    if (notice == SizeNotice::send)
        SendMessageA(hwnd, WM_SIZE, static_cast<WPARAM>(size_kind), size);
    else
        queue_system_send(hwnd, WM_SIZE, static_cast<WPARAM>(size_kind), size);
}

void refresh_size_limits(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (w == nullptr || !w->peer || w->parent != nullptr)
        return;
    const MINMAXINFO mm = query_min_max(hwnd);
    POINT largest = mm.ptMaxTrackSize;
    POINT smallest = mm.ptMinTrackSize;
    if ((w->style & WS_THICKFRAME) != 0) {
        // Ask how far a border dragged out to the limit may go: the answer
        // is the largest size the user can drag the window to.
        RECT proposed{w->window_rect.left, w->window_rect.top,
                      w->window_rect.left + unlimited_size,
                      w->window_rect.top + unlimited_size};
        SendMessageA(hwnd, WM_SIZING, WMSZ_BOTTOMRIGHT,
                     reinterpret_cast<LPARAM>(&proposed));
        largest.x = std::min(largest.x, width_of(proposed));
        largest.y = std::min(largest.y, height_of(proposed));
    } else {
        // A window without a sizing border keeps its size.
        largest = POINT{width_of(w->window_rect), height_of(w->window_rect)};
        smallest = largest;
    }
    smallest.x = std::clamp(smallest.x, LONG{0}, largest.x);
    smallest.y = std::clamp(smallest.y, LONG{0}, largest.y);
    // The procedure may have destroyed the window meanwhile.
    w = find_window(hwnd);
    if (w != nullptr && w->peer)
        w->peer->set_size_limits(smallest, largest);
}

int size_kind_of(const Window &window)
{
    switch (window.show_state) {
    case SW_SHOWMAXIMIZED:
        return SIZE_MAXIMIZED;
    case SW_SHOWMINIMIZED:
        return SIZE_MINIMIZED;
    default:
        return SIZE_RESTORED;
    }
}

POINT client_origin(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    if (w == nullptr)
        return POINT{0, 0};
    const RECT r = screen_rect(*w);
    return POINT{r.left + w->client_rect.left, r.top + w->client_rect.top};
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    if (hWnd == GetDesktopWindow()) {
        *lpRect = work_area();
        return TRUE;
    }
    const Window *w = find_window(hWnd);
    if (w == nullptr)
        return FALSE;
    *lpRect = screen_rect(*w);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    if (hWnd == GetDesktopWindow()) {
        const RECT work = work_area();
        *lpRect = RECT{0, 0, width_of(work), height_of(work)};
        return TRUE;
    }
    const Window *w = find_window(hWnd);
    if (w == nullptr)
        return FALSE;
    *lpRect = client_area(*w);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx,
                         int cy, UINT uFlags)
{
    (void)hWndInsertAfter; // one top-level window: no stacking to change
    const Window *w = find_window(hWnd);
    if (w == nullptr)
        return FALSE;
    RECT r = w->window_rect;
    if ((uFlags & SWP_NOMOVE) == 0)
        r = RECT{X, Y, X + width_of(r), Y + height_of(r)};
    if ((uFlags & SWP_NOSIZE) == 0)
        r = RECT{r.left, r.top, r.left + cx, r.top + cy};
    // The window hears of the change first, and may alter it.
    r = window_pos_changing(hWnd, r, uFlags & (SWP_NOMOVE | SWP_NOSIZE));
    if ((w = find_window(hWnd)) == nullptr)
        return FALSE;
    set_window_rect(hWnd, r, size_kind_of(*w), SizeNotice::send, true);
    refresh_size_limits(hWnd);
    return TRUE;
}

BOOL WINAPI EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows)
{
    Window *w = find_window(hWnd);
    // SB_CTL (a scroll bar control of its own) is not a window's bar.
    if (w == nullptr ||
        (wSBflags != SB_HORZ && wSBflags != SB_VERT && wSBflags != SB_BOTH) ||
        (wArrows != ESB_ENABLE_BOTH && wArrows != ESB_DISABLE_BOTH))
        return FALSE;
    if (!w->peer)
        return TRUE;
    const bool enable = wArrows == ESB_ENABLE_BOTH;
    if (wSBflags == SB_HORZ || wSBflags == SB_BOTH)
        w->peer->enable_scroll_bar(SB_HORZ, enable);
    if (wSBflags == SB_VERT || wSBflags == SB_BOTH)
        w->peer->enable_scroll_bar(SB_VERT, enable);
    return TRUE;
}
