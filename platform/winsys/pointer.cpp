// SetCapture, ReleaseCapture, LoadCursorA and SetCursor.
#include "platform/handles/handle_table.h"
#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;

HWND WINAPI SetCapture(HWND hWnd)
{
    Window *w = window_system().find(hWnd);
    return w != nullptr ? window_system().set_capture(*w) : nullptr;
}

BOOL WINAPI ReleaseCapture(void)
{
    window_system().release_capture();
    return TRUE;
}

// Only the system's cursors exist, as fixed handles whose id is the IDC_
// number: the program has none of its own, and asks for the arrow and the
// busy cursor.
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    const bool system_cursor =
        hInstance == nullptr &&
        (lpCursorName == IDC_ARROW || lpCursorName == IDC_WAIT);
    return system_cursor
               ? scribblet::fixed_handle<HCURSOR>(scribblet::HandleKind::cursor,
                                                  LOWORD(lpCursorName))
               : nullptr;
}

// The busy cursor shows over every window of the program until the arrow
// comes back.
HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    static HCURSOR current = nullptr;
    const HCURSOR previous = current;
    current = hCursor;
    window_system().show_cursor(hCursor);
    return previous;
}
