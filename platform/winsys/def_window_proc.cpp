// DefWindowProcA: what a window does with the messages its procedure leaves.
#include "platform/winsys/message_queue.h"
#include "platform/winsys/painting.h"
#include "platform/winsys/window_geometry.h"
#include "platform/winsys/window_record.h"

using namespace scribblet::winsys;

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    const Window *w = find_window(hWnd);
    if (w == nullptr)
        return 0;
    switch (Msg) {
    case WM_NCCREATE:
        // Creation goes on.
        return TRUE;
    case WM_NCCALCSIZE: {
        // The client area is the window rectangle less the frame.
        auto *rect = reinterpret_cast<RECT *>(lParam);
        if (rect != nullptr)
            *rect = client_rect_for(*w, *rect);
        return 0;
    }
    case WM_CLOSE:
        // Closing destroys the window without a question.
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        // The close box asks the window to close.
        if ((wParam & 0xFFF0) == system_command_close)
            SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_PAINT:
        // A window that paints nothing is valid all the same.
        validate_all(hWnd);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        // A new size stays within the window's tracking sizes.
        auto *pos = reinterpret_cast<WINDOWPOS *>(lParam);
        if (pos != nullptr && (pos->flags & SWP_NOSIZE) == 0) {
            const POINT size = size_within_track(hWnd, POINT{pos->cx, pos->cy});
            pos->cx = size.x;
            pos->cy = size.y;
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return default_erase(hWnd, reinterpret_cast<HDC>(wParam));
    default:
        // Everything else, WM_SYSKEYDOWN and WM_SYSCHAR among them, is
        // harmless and does nothing.
        return 0;
    }
}
