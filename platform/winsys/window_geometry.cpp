// GetWindowRect, GetClientRect, SetWindowPos and EnableScrollBar.
#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;

// In screen coordinates. The program asks for its top-level windows'
// rectangles only: a child's is not given.
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    const Window *w = window_system().find(hWnd);
    if (w == nullptr || w->parent != nullptr)
        return FALSE;
    *lpRect = w->window_rect;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    const Window *w = window_system().find(hWnd);
    if (w == nullptr)
        return FALSE;
    *lpRect = client_area(*w);
    return TRUE;
}

// The program only sizes its windows: every call keeps the place
// (SWP_NOMOVE) and there is no stacking order to change, so X, Y and
// hWndInsertAfter are not read. The window hears of the change first
// (WM_WINDOWPOSCHANGING) and may alter it.
BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int, int, int cx, int cy, UINT uFlags)
{
    WindowSystem &system = window_system();
    const Window *w = system.find(hWnd);
    if (w == nullptr)
        return FALSE;
    RECT r = w->window_rect;
    if ((uFlags & SWP_NOSIZE) == 0)
        r = RECT{r.left, r.top, r.left + cx, r.top + cy};
    r = system.position_changing(hWnd, r, uFlags & (SWP_NOMOVE | SWP_NOSIZE));
    if (Window *changed = system.find(hWnd))
        system.move(*changed, r, changed->size_kind, SizeNotice::send, true);
    system.refresh_size_limits(hWnd);
    return TRUE;
}

// A window's own bars, one at a time (SB_CTL, a scroll bar control of its
// own, is not a window's bar).
BOOL WINAPI EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows)
{
    const Window *w = window_system().find(hWnd);
    if (w == nullptr || (wSBflags != SB_HORZ && wSBflags != SB_VERT))
        return FALSE;
    if (w->peer)
        w->peer->enable_scroll_bar(static_cast<int>(wSBflags),
                                   wArrows == ESB_ENABLE_BOTH);
    return TRUE;
}
