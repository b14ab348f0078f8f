// Recording stand-ins for the window services the stroke engine calls
// (SetCapture, ReleaseCapture, PostMessageA, InvalidateRect), and a recorder
// of every FillRect made through the real drawing surfaces. The recorders
// are shared; how the program's calls reach them depends on the system
// (window_doubles_linux.cpp, window_doubles_windows.cpp).
#ifndef SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H
#define SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H

#include <vector>

#include "platform/platform.h"

struct WindowCall {
    enum Kind { set_capture, release_capture, post_message, invalidate };
    Kind kind;
    HWND window;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    RECT rect;
    BOOL erase;
};

// Calls to the window services, in order.
extern std::vector<WindowCall> g_window_calls;

// Rectangles passed to FillRect, in order.
extern std::vector<RECT> g_fills;

void clear_recordings();

// The rectangles of every InvalidateRect call, in order.
std::vector<RECT> invalidated_rects();

// The recorders, with the signatures and calling convention of the
// operations they stand for.
HWND WINAPI record_set_capture(HWND hWnd);
BOOL WINAPI record_release_capture(void);
BOOL WINAPI record_post_message(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI record_invalidate_rect(HWND hWnd, const RECT *lpRect, BOOL bErase);
void record_fill(const RECT *rect);

// The bitmap selected into a memory DC, asked of the system's own records.
HGDIOBJ selected_bitmap(HDC dc);

#endif // SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H
