// Recording stand-ins for the window services the stroke engine calls
// (SetCapture, ReleaseCapture, PostMessageA, InvalidateRect), and a recorder
// of every FillRect made through the real drawing surfaces.
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

#endif // SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H
