// The main window's procedure: creation (canvas-size dialog, canvas, fitting
// the window to it), painting from the canvas, the size limit, the scroll
// bars' state, and routing pointer messages to the stroke engine and menu
// commands to the command handler.
#include "app/main_window.h"

#include "app/canvas_size_dialog.h"
#include "app/commands.h"
#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"

HINSTANCE g_instance;

// How much larger the window rectangle is than the client rectangle: the
// caption, the borders, the menu bar and both scroll bars. Measured during
// WM_CREATE and again on every theme change.
static struct FrameMetrics {
    LONG width;
    LONG height;
} g_frame;

static void measure_frame(HWND hwnd)
{
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    g_frame.width = (window.right - window.left) - (client.right - client.left);
    g_frame.height =
        (window.bottom - window.top) - (client.bottom - client.top);
}

static void report_no_memory(HWND hwnd)
{
    MessageBoxA(hwnd,
                "この大きさの描画領域を作るためのメモリが足りません。"
                "もっと小さいサイズを入力して下さい",
                "メモリ不足", MB_OK);
}

// Asks for the canvas size until a canvas of that size could be made.
static void create_canvas(HWND hwnd)
{
    for (;;) {
        CanvasSizeRecord size;
        canvas_size_ask(hwnd, &size);
        if (canvas_create((LONG)size.width, (LONG)size.height))
            return;
        report_no_memory(hwnd);
    }
}

static LRESULT on_create(HWND hwnd)
{
    pens_create_brushes();
    measure_frame(hwnd);
    create_canvas(hwnd);
    SetWindowPos(hwnd, NULL, 0, 0, g_canvas.width + g_frame.width,
                 g_canvas.height + g_frame.height, SWP_NOMOVE);
    return 0;
}

static void on_paint(HWND hwnd)
{
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    canvas_copy_to(paint.hdc, &paint.rcPaint);
    EndPaint(hwnd, &paint);
}

// A bar is enabled only while part of the canvas is hidden in its direction.
static void enable_scroll_bar(HWND hwnd, UINT bar, UINT client, LONG canvas)
{
    BOOL hidden = (LONG)client < canvas;
    EnableScrollBar(hwnd, bar, hidden ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

static void on_size(HWND hwnd, LPARAM lParam)
{
    enable_scroll_bar(hwnd, SB_HORZ, LOWORD(lParam), g_canvas.width);
    enable_scroll_bar(hwnd, SB_VERT, HIWORD(lParam), g_canvas.height);
}

// The window never grows beyond the canvas plus the frame; the right and
// bottom edges are the ones that give way.
static void on_sizing(RECT *proposed)
{
    if (proposed->right - proposed->left - g_frame.width >= g_canvas.width)
        proposed->right = proposed->left + g_canvas.width + g_frame.width;
    if (proposed->bottom - proposed->top - g_frame.height >= g_canvas.height)
        proposed->bottom = proposed->top + g_canvas.height + g_frame.height;
}

// Maximised, the window is just large enough to show the whole canvas.
static void on_get_min_max_info(MINMAXINFO *info)
{
    info->ptMaxSize.x = g_canvas.width + g_frame.width;
    info->ptMaxSize.y = g_canvas.height + g_frame.height;
}

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wParam,
                                  LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return on_create(hwnd);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        on_size(hwnd, lParam);
        return 0;
    case WM_PAINT:
        on_paint(hwnd);
        return 0;
    case WM_GETMINMAXINFO:
        on_get_min_max_info((MINMAXINFO *)lParam);
        return 0;
    case WM_COMMAND:
        if (commands_run(hwnd, LOWORD(wParam)))
            return 0;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
        stroke_move(hwnd, lParam, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        stroke_press_left(hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        stroke_release_left();
        return 0;
    case WM_RBUTTONDOWN:
        stroke_press_right(hwnd, lParam);
        return 0;
    case WM_RBUTTONUP:
        stroke_release_right();
        return 0;
    case WM_SIZING:
        on_sizing((RECT *)lParam);
        return 0;
    case WM_THEMECHANGED:
        measure_frame(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
