// Recording stand-ins for the window services the stroke engine calls
// (SetCapture, ReleaseCapture, PostMessageA, InvalidateRect), and a recorder
// of every FillRect made through the real drawing surfaces. The recorders
// are shared; how the program's calls reach them depends on the system
// (window_doubles_linux.cpp, window_doubles_windows.cpp).
#ifndef SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H
#define SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H

#include <string>
#include <vector>

#include "platform/platform.h"

// The window calls since the last clear, in order, as text: "capture ",
// "release ", "post <message> <wParam> <x>,<y> " and "repaint (<left>,<top>,
// <right>,<bottom>) "; "wrong window " before a call for another window
// than the_window, " erase" after a repaint that erases.
extern std::string g_window_calls;
// The rectangles passed to FillRect since the last clear, in order.
extern std::vector<RECT> g_fills;
extern const HWND the_window;

void clear_recordings();
std::string text(long left, long top, long right, long bottom);

// The recorders, with the signatures and calling convention of the
// operations they stand for.
HWND WINAPI record_set_capture(HWND hWnd);
BOOL WINAPI record_release_capture(void);
BOOL WINAPI record_post_message(HWND hWnd, UINT Msg, WPARAM wParam,
                                LPARAM lParam);
BOOL WINAPI record_invalidate_rect(HWND hWnd, const RECT *lpRect, BOOL bErase);
void record_fill(const RECT *rect);

// The bitmap selected into a memory DC, asked of the system's own records.
HGDIOBJ selected_bitmap(HDC dc);

#endif // SCRIBBLET_TESTS_CANVAS_WINDOW_DOUBLES_H
