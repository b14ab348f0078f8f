// On Linux the window services are plain functions of the platform layer,
// which this test does not link: the stand-ins take their place. FillRect
// is the layer's own and stays: the linker hands its calls to the recorder
// first (--wrap).
#include "platform/gdi/test_support.h"
#include "tests/canvas/window_doubles.h"

HWND WINAPI SetCapture(HWND hWnd)
{
    return record_set_capture(hWnd);
}

BOOL WINAPI ReleaseCapture(void)
{
    return record_release_capture();
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return record_post_message(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *lpRect, BOOL bErase)
{
    return record_invalidate_rect(hWnd, lpRect, bErase);
}

extern "C" int __real__Z8FillRectP5HDC__PK7tagRECTP9HGDIOBJ__(HDC, const RECT *,
                                                              HBRUSH);
extern "C" int __wrap__Z8FillRectP5HDC__PK7tagRECTP9HGDIOBJ__(HDC dc,
                                                              const RECT *rect,
                                                              HBRUSH brush)
{
    record_fill(rect);
    return __real__Z8FillRectP5HDC__PK7tagRECTP9HGDIOBJ__(dc, rect, brush);
}

HGDIOBJ selected_bitmap(HDC dc)
{
    return scribblet::gdi::selected_bitmap(dc);
}
