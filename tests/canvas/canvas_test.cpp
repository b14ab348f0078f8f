// Canvas, pens and stroke engine on the real drawing surfaces (ours on
// Linux, the system's on Windows), with stand-ins for the window services.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"

static const HWND the_window = reinterpret_cast<HWND>(0x5150);

// Appends "<name> <value> ... " to calls, "wrong window " before it when
// the call is for another window.
template <typename... Values>
void note(std::string &calls, HWND window, const char *name, Values... values)
{
    calls += (window == the_window ? "" : "wrong window ") + std::string(name);
    ((calls += ' ' + std::to_string(values)), ...);
    calls += ' ';
}

// The window calls the stroke engine made since the last clear, in order.
static std::string g_calls;

// The stand-ins: on Linux the window services themselves (the layer's
// window system is not linked); on Windows what the program's import slots
// (__imp_<name>, on x86 __imp__<name>@<argument bytes>) defined below point
// at, so that the linker does not take user32's.
#ifdef _WIN32
#define STAND_IN(name) stand_in_##name
#else
#define STAND_IN(name) name
#endif

HWND WINAPI STAND_IN(SetCapture)(HWND hWnd)
{
    note(g_calls, hWnd, "capture");
    return nullptr;
}

BOOL WINAPI STAND_IN(ReleaseCapture)(void)
{
    note(g_calls, the_window, "release");
    return TRUE;
}

BOOL WINAPI STAND_IN(PostMessageA)(HWND hWnd, UINT Msg, WPARAM wParam,
                                   LPARAM lParam)
{
    note(g_calls, hWnd, "post", Msg, wParam, GET_X_LPARAM(lParam),
         GET_Y_LPARAM(lParam));
    return TRUE;
}

BOOL WINAPI STAND_IN(InvalidateRect)(HWND hWnd, const RECT *r, BOOL bErase)
{
    note(g_calls, hWnd, "repaint", r->left, r->top, r->right, r->bottom,
         bErase);
    return TRUE;
}

#ifdef _WIN32
#ifdef _WIN64
#define SLOT(name, bytes) decltype(&name) slot_##name __asm__("__imp_" #name)
#else
#define SLOT(name, bytes)                                                      \
    decltype(&name) slot_##name __asm__("__imp__" #name "@" #bytes)
#endif
extern "C" {
SLOT(SetCapture, 4) = stand_in_SetCapture;
SLOT(ReleaseCapture, 0) = stand_in_ReleaseCapture;
SLOT(PostMessageA, 16) = stand_in_PostMessageA;
SLOT(InvalidateRect, 12) = stand_in_InvalidateRect;
}
#endif

namespace {

void free_canvas()
{
    DeleteObject(g_canvas.bitmap);
    DeleteDC(g_canvas.dc);
    g_canvas = ::Canvas{};
}

// The canvas as rows of letters, each pixel's spare byte left out: '.'
// white, 'k' black, 'r' red, '?' anything else.
std::string canvas_picture()
{
    const std::map<unsigned, char> letters = {
        {0xFFFFFF, '.'}, {0, 'k'}, {0xFF0000, 'r'}};
    const size_t width = static_cast<size_t>(g_canvas.width);
    BYTE *bytes = canvas_read_out();
    EXPECT_NE(bytes, nullptr);
    std::string out;
    for (size_t at = 0; bytes && at < canvas_byte_count(); at += 4) {
        const auto letter =
            letters.find(bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at]);
        out += letter == letters.end() ? '?' : letter->second;
        if ((at / 4 + 1) % width == 0)
            out += '\n';
    }
    free(bytes);
    return out;
}

constexpr long width = 40, height = 30;

// The stroke engine's drawing as the rules state it, on a picture of
// letters: the pixels it should paint and the repaints it should ask for.
struct Model {
    std::string picture, calls;
    bool has_previous = false, left = false, right = false;
    long previous_x = 0, previous_y = 0;

    // The pixels (cx - s .. cx + s - 2, cy - s .. cy + s - 2) on the canvas.
    void stamp(long cx, long cy, long s, char colour)
    {
        for (long y = std::max(cy - s, 0L);
             y <= std::min(cy + s - 2, height - 1); ++y)
            for (long x = std::max(cx - s, 0L);
                 x <= std::min(cx + s - 2, width - 1); ++x)
                picture[static_cast<size_t>(y * (width + 1) + x)] = colour;
    }
    // n stamps from the previous point, the end point left for the next.
    void segment(long x, long y, long s, char colour)
    {
        const long long dx = x - previous_x, dy = y - previous_y;
        const long long n = std::max(std::llabs(dx), std::llabs(dy)) + 1;
        for (long long i = 0; i < n; ++i) // C++ division truncates toward zero
            stamp(previous_x + static_cast<long>(i * dx / n),
                  previous_y + static_cast<long>(i * dy / n), s, colour);
        note(calls, the_window, "repaint", std::min(previous_x, x) - s,
             std::min(previous_y, y) - s, std::max(previous_x, x) + s - 1,
             std::max(previous_y, y) + s - 1, FALSE);
    }
    void move(long x, long y, WPARAM bits)
    {
        if (!has_previous) {
            has_previous = true;
            previous_x = x;
            previous_y = y;
        }
        // Nothing is drawn while both buttons are captured.
        if (left != right && (bits & (left ? MK_LBUTTON : MK_RBUTTON)))
            segment(x, y, (left ? g_left_pen : g_right_pen).size,
                    left ? 'k' : 'r');
        previous_x = x;
        previous_y = y;
    }
};

} // namespace

// Random presses, releases and moves of both buttons, pen sizes 1 to 30,
// positions up to the 16-bit extremes, through the engine and the model:
// the same window calls after each event, the same pixels after each run.
TEST(CanvasTest, RandomStrokesMatchTheModel)
{
    pens_create_brushes();
    std::mt19937 random(20261207);
    const auto pick = [&](long low, long high) {
        return std::uniform_int_distribution<long>(low, high)(random);
    };
    // Now and then the far end of the 16-bit range from the last point.
    const auto coordinate = [&](long previous, long size) {
        return pick(0, 7)     ? pick(-40, size + 40)
               : previous < 0 ? 32767
                              : -32768;
    };
    pen_set_colour(&g_right_pen, PEN_COLOUR_RED);
    // Each run on a new canvas, the stroke going on from where it was.
    Model model;
    for (int run = 0; run < 40 && !HasFailure(); ++run) {
        free_canvas();
        ASSERT_TRUE(canvas_create(width, height));
        model.picture.clear();
        for (long row = 0; row < height; ++row)
            model.picture += std::string(width, '.') + '\n';
        for (int event = 0; event < 40 && !HasFailure(); ++event) {
            // Run 0 opens with a left press at x -32768, then a move to 32767.
            const bool across = run == 0 && event < 2;
            const long x = across ? 65535 * event - 32768
                                  : coordinate(model.previous_x, width);
            const long y = across ? 10 : coordinate(model.previous_y, height);
            const LPARAM at =
                MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
            const long action = across ? 4 * event : pick(0, 5);
            const WPARAM button = action % 2 ? MK_RBUTTON : MK_LBUTTON;
            bool &held = action % 2 ? model.right : model.left;
            if (action < 2) { // with the press's posted move
                (action ? stroke_press_right : stroke_press_left)(the_window,
                                                                  at);
                held = true;
                note(model.calls, the_window, "capture");
                note(model.calls, the_window, "post", WM_MOUSEMOVE, button, x,
                     y);
                stroke_move(the_window, at, button);
                model.move(x, y, button);
            } else if (action < 4 && held) {
                (action == 3 ? stroke_release_right : stroke_release_left)();
                held = false;
                note(model.calls, the_window, "release");
            } else if (action >= 4) {
                // Mostly the buttons held; now and then other keys, or bits
                // that miss a release the window never saw.
                WPARAM bits = (model.left ? MK_LBUTTON : 0) |
                              (model.right ? MK_RBUTTON : 0);
                if (!across && pick(0, 5) == 0)
                    bits = static_cast<WPARAM>(pick(0, 15));
                (pick(0, 1) ? g_left_pen : g_right_pen).size = pick(1, 30);
                stroke_move(the_window, at, bits);
                model.move(x, y, bits);
            }
            EXPECT_EQ(g_calls, model.calls)
                << "run " << run << " event " << event;
            g_calls.clear();
            model.calls.clear();
        }
        EXPECT_EQ(canvas_picture(), model.picture) << "run " << run;
    }
    free_canvas();
    DeleteObject(g_left_pen.brush);
    DeleteObject(g_right_pen.brush);
}
