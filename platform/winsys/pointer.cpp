// SetCapture, ReleaseCapture, LoadCursorA and SetCursor.
#include "platform/winsys/pointer.h"

#include "platform/handles/handle_table.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_record.h"

namespace scribblet::winsys {
namespace {

HWND &captured()
{
    static HWND hwnd = nullptr;
    return hwnd;
}

HCURSOR &current_cursor()
{
    static HCURSOR cursor = nullptr;
    return cursor;
}

// The system's cursors are fixed handles whose id is the IDC_ number.
bool is_system_cursor_id(WORD id)
{
    return id == LOWORD(IDC_ARROW) || id == LOWORD(IDC_WAIT);
}

} // namespace

HWND capture_window()
{
    if (find_window(captured()) == nullptr)
        captured() = nullptr;
    return captured();
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

HWND WINAPI SetCapture(HWND hWnd)
{
    const HWND previous = capture_window();
    Window *w = find_window(hWnd);
    if (w == nullptr || previous == hWnd)
        return previous;
    if (Window *old = find_window(previous); old != nullptr && old->peer)
        old->peer->set_capture(false);
    captured() = hWnd;
    // From now on every pointer move reaches this window, wherever the
    // pointer is, in its client coordinates.
    if (w->peer)
        w->peer->set_capture(true);
    return previous;
}

BOOL WINAPI ReleaseCapture(void)
{
    const HWND previous = capture_window();
    if (previous == nullptr)
        return TRUE;
    captured() = nullptr;
    if (Window *w = find_window(previous); w != nullptr && w->peer)
        w->peer->set_capture(false);
    return TRUE;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    // Only the system's cursors exist: the program has none of its own.
    if (hInstance != nullptr || !IS_INTRESOURCE(lpCursorName) ||
        !is_system_cursor_id(LOWORD(lpCursorName)))
        return nullptr;
    return scribblet::fixed_handle<HCURSOR>(scribblet::HandleKind::cursor,
                                            LOWORD(lpCursorName));
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    const HCURSOR previous = current_cursor();
    current_cursor() = hCursor;
    if (const Toolkit *toolkit = installed_toolkit())
        toolkit->set_cursor(hCursor);
    return previous;
}
