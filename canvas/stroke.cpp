// The stroke engine: presses, releases and moves of the pointer.
#include "canvas/stroke.h"

#include <cstdint>

#include "canvas/canvas.h"

// Where the pointer was and which buttons hold the capture; all 0 at start.
typedef struct StrokeState {
    short previous_x; // where the pointer last was
    short previous_y;
    BOOL has_previous;   // 0 until the first move, then 1 for ever
    BOOL left_captured;  // the left button is down and holds the capture
    BOOL right_captured; // likewise the right button
} StrokeState;

static StrokeState g_stroke;

static LONG absolute(LONG value)
{
    return value < 0 ? -value : value;
}

static LONG smaller(LONG a, LONG b)
{
    return a < b ? a : b;
}

static LONG larger(LONG a, LONG b)
{
    return a > b ? a : b;
}

static void press(HWND window, LPARAM position, BOOL *captured, WPARAM button)
{
    SetCapture(window);
    *captured = TRUE;
    PostMessageA(window, WM_MOUSEMOVE, button, position);
}

void stroke_press_left(HWND window, LPARAM position)
{
    press(window, position, &g_stroke.left_captured, MK_LBUTTON);
}

void stroke_press_right(HWND window, LPARAM position)
{
    press(window, position, &g_stroke.right_captured, MK_RBUTTON);
}

void stroke_release_left(void)
{
    g_stroke.left_captured = FALSE;
    ReleaseCapture();
}

void stroke_release_right(void)
{
    g_stroke.right_captured = FALSE;
    ReleaseCapture();
}

// The square stamp of pen centred one pixel up and left of (x, y).
static void stamp(const PenTool *pen, LONG x, LONG y)
{
    const LONG s = pen->size;
    const RECT square = {x - s, y - s, x + s - 1, y + s - 1};
    canvas_fill(&square, pen->brush);
}

void stroke_draw_segment(HWND window, const PenTool *pen, LONG px, LONG py,
                         LONG x, LONG y)
{
    const LONG dx = x - px;
    const LONG dy = y - py;
    const LONG n = larger(absolute(dx), absolute(dy)) + 1;
    // i x dx reaches 65535 x 65535 between 16-bit positions: 64 bits hold it.
    std::int64_t run_x = 0;
    std::int64_t run_y = 0;
    canvas_begin_drawing();
    for (LONG i = 0; i < n; ++i) {
        stamp(pen, px + (LONG)(run_x / n), py + (LONG)(run_y / n));
        run_x += dx;
        run_y += dy;
    }
    canvas_end_drawing();
    const LONG s = pen->size;
    const RECT damaged = {smaller(px, x) - s, smaller(py, y) - s,
                          larger(px, x) + s - 1, larger(py, y) + s - 1};
    InvalidateRect(window, &damaged, FALSE);
}

void stroke_move(HWND window, LPARAM position, WPARAM buttons)
{
    const short x = (short)GET_X_LPARAM(position);
    const short y = (short)GET_Y_LPARAM(position);
    if (!g_stroke.has_previous) {
        g_stroke.previous_x = x;
        g_stroke.previous_y = y;
        g_stroke.has_previous = TRUE;
    }
    // Nothing is drawn while both buttons hold the capture.
    if (!(g_stroke.left_captured && g_stroke.right_captured)) {
        const PenTool *pen = NULL;
        if (g_stroke.left_captured && (buttons & MK_LBUTTON))
            pen = &g_left_pen;
        else if (g_stroke.right_captured && (buttons & MK_RBUTTON))
            pen = &g_right_pen;
        if (pen)
            stroke_draw_segment(window, pen, g_stroke.previous_x,
                                g_stroke.previous_y, x, y);
    }
    g_stroke.previous_x = x;
    g_stroke.previous_y = y;
}
