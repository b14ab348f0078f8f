// DefWindowProcA: what a window does with the messages its procedure leaves.
#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;

namespace {

// WM_ERASEBKGND: only the part being painted is erased, with the class
// background; the rest of the surface still shows what was painted before.
// The one class that paints, the program's, has the window colour (white)
// as its background, given as the system colour index + 1.
LRESULT erase_background(const Window &w, HDC dc)
{
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const int filled = FillRect(dc, &w.paint_clip, white);
    DeleteObject(white);
    return filled != 0 ? 1 : 0;
}

} // namespace

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    WindowSystem &system = window_system();
    Window *w = system.find(hWnd);
    if (w == nullptr)
        return 0;
    switch (Msg) {
    case WM_NCCREATE:
        // Creation goes on.
        return TRUE;
    case WM_NCCALCSIZE: {
        // The client area is the window rectangle less the frame.
        auto *rect = reinterpret_cast<RECT *>(lParam);
        *rect = system.client_rect_for(*w, *rect);
        return 0;
    }
    case WM_CLOSE:
        // Closing destroys the window without a question.
        system.destroy(*w);
        return 0;
    case WM_SYSCOMMAND:
        // The close box asks the window to close.
        if ((wParam & 0xFFF0) == system_command_close)
            system.send(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_PAINT:
        // A window that paints nothing is valid all the same.
        system.validate(*w);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        // A new size stays within the window's tracking sizes.
        auto *pos = reinterpret_cast<WINDOWPOS *>(lParam);
        if ((pos->flags & SWP_NOSIZE) == 0) {
            const POINT size =
                system.size_within_track(hWnd, POINT{pos->cx, pos->cy});
            pos->cx = size.x;
            pos->cy = size.y;
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return erase_background(*w, reinterpret_cast<HDC>(wParam));
    default:
        // Everything else, WM_SYSKEYDOWN and WM_SYSCHAR among them, is
        // harmless and does nothing.
        return 0;
    }
}
