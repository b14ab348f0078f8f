#include "tests/canvas/window_doubles.h"

#include <sstream>

std::string g_window_calls;
std::vector<RECT> g_fills;
const HWND the_window = reinterpret_cast<HWND>(0x5150);

void clear_recordings()
{
    g_window_calls.clear();
    g_fills.clear();
}

std::string text(long left, long top, long right, long bottom)
{
    std::ostringstream out;
    out << '(' << left << ',' << top << ',' << right << ',' << bottom << ')';
    return out.str();
}

static void record(HWND window, const std::string &call)
{
    g_window_calls +=
        (window == the_window ? "" : "wrong window ") + call + ' ';
}

HWND WINAPI record_set_capture(HWND hWnd)
{
    record(hWnd, "capture");
    return nullptr;
}

BOOL WINAPI record_release_capture(void)
{
    record(the_window, "release");
    return TRUE;
}

BOOL WINAPI record_post_message(HWND hWnd, UINT Msg, WPARAM wParam,
                                LPARAM lParam)
{
    record(hWnd, "post " + std::to_string(Msg) + ' ' + std::to_string(wParam) +
                     ' ' + std::to_string(static_cast<short>(LOWORD(lParam))) +
                     ',' + std::to_string(static_cast<short>(HIWORD(lParam))));
    return TRUE;
}

BOOL WINAPI record_invalidate_rect(HWND hWnd, const RECT *lpRect, BOOL bErase)
{
    const RECT r = lpRect ? *lpRect : RECT{};
    record(hWnd, "repaint " + text(r.left, r.top, r.right, r.bottom) +
                     (bErase ? " erase" : ""));
    return TRUE;
}

void record_fill(const RECT *rect)
{
    if (rect)
        g_fills.push_back(*rect);
}
