// The stroke engine: turns the main window's pointer messages into stamps of
// the pens along the pointer's path, and names the window rectangle to
// repaint. Positions arrive packed (x in the low word, y in the high word,
// each a signed 16-bit value); button bits as in WM_MOUSEMOVE's wParam.
#ifndef SCRIBBLET_CANVAS_STROKE_H
#define SCRIBBLET_CANVAS_STROKE_H

#include "canvas/pen.h"
#include "platform/platform.h"

// WM_LBUTTONDOWN / WM_RBUTTONDOWN: capture the pointer for window and post it
// a WM_MOUSEMOVE at the press position, whose handling makes the first stamp.
void stroke_press_left(HWND window, LPARAM position);
void stroke_press_right(HWND window, LPARAM position);

// WM_LBUTTONUP / WM_RBUTTONUP: clear the button's flag, release the capture.
void stroke_release_left(void);
void stroke_release_right(void);

// WM_MOUSEMOVE: draws the segment from the previous point to position with
// the captured button's pen and invalidates its rectangle of window.
void stroke_move(HWND window, LPARAM position, WPARAM buttons);

// Stamps pen along the segment from (px, py) to (x, y) and invalidates the
// segment's rectangle of window.
void stroke_draw_segment(HWND window, const PenTool *pen, LONG px, LONG py,
                         LONG x, LONG y);

#endif // SCRIBBLET_CANVAS_STROKE_H
