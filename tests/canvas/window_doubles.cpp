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

HWND WINAPI record_set_capture(HWND hWnd) {
    record({WindowCall::set_capture, hWnd, 0, 0, 0, {}, FALSE});
    return nullptr;
}

BOOL WINAPI record_release_capture(void) {
    record({WindowCall::release_capture, nullptr, 0, 0, 0, {}, FALSE});
    return TRUE;
}

BOOL WINAPI record_post_message(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    record({WindowCall::post_message, hWnd, Msg, wParam, lParam, {}, FALSE});
    return TRUE;
}

BOOL WINAPI record_invalidate_rect(HWND hWnd, const RECT *lpRect, BOOL bErase) {
    record({WindowCall::invalidate, hWnd, 0, 0, 0, lpRect ? *lpRect : RECT{},
            bErase});
    return TRUE;
}

void record_fill(const RECT *rect) {
    if (rect)
        g_fills.push_back(*rect);
}
