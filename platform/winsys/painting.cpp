// InvalidateRect, BeginPaint and EndPaint. A window paints on its backing
// surface (window_surface.h), which the toolkit shows.
#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;

// The update region accumulates (as its bounding rectangle); no rectangle
// means the whole client area.
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *lpRect, BOOL bErase)
{
    Window *w = window_system().find(hWnd);
    if (w == nullptr)
        return FALSE;
    window_system().invalidate(
        *w, lpRect != nullptr ? *lpRect : client_area(*w), bErase != FALSE);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    Window *w = window_system().find(hWnd);
    return w != nullptr ? window_system().begin_paint(*w, *lpPaint) : nullptr;
}

// The toolkit shows the painted part again from the backing surface.
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *lpPaint)
{
    const Window *w = window_system().find(hWnd);
    if (w == nullptr)
        return FALSE;
    if (w->peer && !is_empty(lpPaint->rcPaint))
        w->peer->present(lpPaint->rcPaint);
    return TRUE;
}
