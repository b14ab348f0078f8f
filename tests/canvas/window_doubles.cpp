#include "tests/canvas/window_doubles.h"

std::vector<WindowCall> g_window_calls;
std::vector<RECT> g_fills;

void clear_recordings() {
    g_window_calls.clear();
    g_fills.clear();
}

std::vector<RECT> invalidated_rects() {
    std::vector<RECT> rects;
    for (const WindowCall &call : g_window_calls)
        if (call.kind == WindowCall::invalidate)
            rects.push_back(call.rect);
    return rects;
}

static void record(WindowCall call) {
    g_window_calls.push_back(call);
}

HWND WINAPI SetCapture(HWND hWnd) {
    record({WindowCall::set_capture, hWnd, 0, 0, 0, {}, FALSE});
    return nullptr;
}

BOOL WINAPI ReleaseCapture(void) {
    record({WindowCall::release_capture, nullptr, 0, 0, 0, {}, FALSE});
    return TRUE;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    record({WindowCall::post_message, hWnd, Msg, wParam, lParam, {}, FALSE});
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *lpRect, BOOL bErase) {
    record({WindowCall::invalidate, hWnd, 0, 0, 0, lpRect ? *lpRect : RECT{},
            bErase});
    return TRUE;
}

// The linker sends the program's calls of FillRect here (--wrap); the real
// one still does the fill.
extern "C" int __real__Z8FillRectP5HDC__PK7tagRECTP9HGDIOBJ__(HDC, const RECT *,
                                                              HBRUSH);
extern "C" int __wrap__Z8FillRectP5HDC__PK7tagRECTP9HGDIOBJ__(HDC dc,
                                                              const RECT *rect,
                                                              HBRUSH brush) {
    if (rect)
        g_fills.push_back(*rect);
    return __real__Z8FillRectP5HDC__PK7tagRECTP9HGDIOBJ__(dc, rect, brush);
}
