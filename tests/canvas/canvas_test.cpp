// The canvas, the pens and the stroke engine on the real drawing surfaces
// (this project's on Linux, the system's on Windows), with recording
// stand-ins for the window services the stroke engine calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"
#include "canvas/stroke_test_support.h"

// The window calls since the last clear, in order: "capture ", "release ",
// "post <message> <wParam> <x>,<y> ", "repaint (<left>,<top>,<right>,
// <bottom>) ", with "wrong window " before a call for another window and
// " erase" after a repaint that erases.
static std::string g_calls;
static const HWND the_window = reinterpret_cast<HWND>(0x5150);

static std::string text(long left, long top, long right, long bottom)
{
    return '(' + std::to_string(left) + ',' + std::to_string(top) + ',' +
           std::to_string(right) + ',' + std::to_string(bottom) + ')';
}

static void record(HWND window, const std::string &call)
{
    g_calls += (window == the_window ? "" : "wrong window ") + call + ' ';
}

// The stand-ins. On Linux they are the window services themselves: the
// layer's window system is not linked. On Windows the program calls through
// import slots (__imp_<name>, on x86 __imp__<name>@<argument bytes>), which
// are defined below already pointing at the stand-ins, so that the linker
// does not take user32's.
#ifdef _WIN32
#define STAND_IN(name) stand_in_##name
#else
#define STAND_IN(name) name
#endif

HWND WINAPI STAND_IN(SetCapture)(HWND hWnd)
{
    record(hWnd, "capture");
    return nullptr;
}

BOOL WINAPI STAND_IN(ReleaseCapture)(void)
{
    record(the_window, "release");
    return TRUE;
}

BOOL WINAPI STAND_IN(PostMessageA)(HWND hWnd, UINT Msg, WPARAM wParam,
                                   LPARAM lParam)
{
    record(hWnd, "post " + std::to_string(Msg) + ' ' + std::to_string(wParam) +
                     ' ' + std::to_string(static_cast<short>(LOWORD(lParam))) +
                     ',' + std::to_string(static_cast<short>(HIWORD(lParam))));
    return TRUE;
}

BOOL WINAPI STAND_IN(InvalidateRect)(HWND hWnd, const RECT *r, BOOL bErase)
{
    record(hWnd, "repaint " + text(r->left, r->top, r->right, r->bottom) +
                     (bErase ? " erase" : ""));
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

// Rows of '.' (white), 'k' (black), 'r' (red), 'g' (green), 'b' (blue) and
// '?' (anything else) from 32-bit pixels (blue, green, red, spare).
std::string picture(const std::vector<BYTE> &bytes, size_t width)
{
    std::string out;
    for (size_t at = 0; at < bytes.size(); at += 4) {
        const unsigned rgb =
            bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at];
        out += rgb == 0xFFFFFF   ? '.'
               : rgb == 0        ? 'k'
               : rgb == 0xFF0000 ? 'r'
               : rgb == 0x00FF00 ? 'g'
               : rgb == 0x0000FF ? 'b'
                                 : '?';
        if ((at / 4 + 1) % width == 0)
            out += '\n';
    }
    return out;
}

// A fresh canvas and fresh pens for each test, freed afterwards.
class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pens_create_brushes();
    }
    void TearDown() override
    {
        free_canvas();
        DeleteObject(g_left_pen.brush);
        DeleteObject(g_right_pen.brush);
        g_left_pen = g_right_pen = PenTool{nullptr, PEN_SIZE_START};
        g_stroke = StrokeState{};
        g_calls.clear();
    }
    static void free_canvas()
    {
        DeleteObject(g_canvas.bitmap);
        DeleteDC(g_canvas.dc);
        g_canvas = ::Canvas{};
    }
    // Whether the canvas's DC holds what it held before the bitmap, as the
    // canvas leaves it between drawings (asked by putting that back).
    static bool bitmap_put_away()
    {
        return SelectObject(g_canvas.dc, g_canvas.previous) ==
               g_canvas.previous;
    }
    static void fill(const RECT &area, HBRUSH brush)
    {
        canvas_begin_drawing();
        canvas_fill(&area, brush);
        canvas_end_drawing();
    }
    // The canvas as canvas_read_out gives it.
    static std::string canvas_picture()
    {
        BYTE *buffer = canvas_read_out();
        EXPECT_NE(buffer, nullptr);
        const std::vector<BYTE> bytes(buffer, buffer + canvas_byte_count());
        free(buffer);
        return picture(bytes, static_cast<size_t>(g_canvas.width));
    }
};

} // namespace

TEST_F(CanvasTest, StartsWhiteAndRefusesSizesItCannotHold)
{
    ASSERT_TRUE(canvas_create(4, 2));
    EXPECT_EQ(canvas_picture(), "....\n....\n");
    EXPECT_TRUE(bitmap_put_away());
    const ::Canvas before = g_canvas;
    for (const auto &[width, height] : {std::pair{-1, 10},
                                        {10, -1},
                                        {23171, 23171}, // 2147580964 bytes
                                        {2147483647, 2147483647}})
        EXPECT_FALSE(canvas_create(width, height)) << width << " x " << height;
    EXPECT_EQ(g_canvas.bitmap, before.bitmap);
    EXPECT_EQ(g_canvas.dc, before.dc);
}

TEST_F(CanvasTest, ZeroSizedCanvasLeavesTheSharedBitmapAlone)
{
    pen_set_colour(&g_left_pen, PEN_COLOUR_RED); // not the bitmap's black
    for (const auto &[width, height] : {std::pair{0, 0}, {0, 9}, {9, 0}}) {
        ASSERT_TRUE(canvas_create(width, height));
        fill({-100, -100, 100, 100}, g_left_pen.brush);
        EXPECT_EQ(canvas_picture(), "");
        // Black, in whatever form the system keeps it (Windows: one bit).
        BYTE shared[4] = {};
        const LONG count = GetBitmapBits(g_canvas.bitmap, 4, shared);
        ASSERT_GT(count, 0);
        EXPECT_EQ(std::vector<BYTE>(shared, shared + count),
                  std::vector<BYTE>(static_cast<size_t>(count), 0));
        free_canvas();
    }
}

// Fills change only their part of the canvas, and copying out lands at the
// same place, the bitmap put away after.
TEST_F(CanvasTest, FillsAndCopiesStayInPlace)
{
    ASSERT_TRUE(canvas_create(4, 3));
    fill({-2, 2, 2, 9}, g_left_pen.brush); // partly off
    fill({4, 0, 9, 3}, g_left_pen.brush);  // wholly off
    EXPECT_EQ(canvas_picture(), "....\n....\nkk..\n");
    // Against the screen: a bitmap made against the canvas's DC, which holds
    // the 1 x 1 stock bitmap now, would be monochrome on Windows.
    const HDC screen = GetDC(NULL);
    const HDC target = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
    ReleaseDC(NULL, screen);
    const HGDIOBJ original = SelectObject(target, bitmap);
    std::vector<BYTE> bytes(48, 0x80); // grey
    SetBitmapBits(bitmap, 48, bytes.data());
    const RECT area = {1, 1, 3, 3};
    canvas_copy_to(target, &area);
    GetBitmapBits(bitmap, 48, bytes.data());
    EXPECT_EQ(picture(bytes, 4), "????\n?..?\n?k.?\n");
    EXPECT_TRUE(bitmap_put_away());
    SelectObject(target, original);
    DeleteObject(bitmap);
    DeleteDC(target);
}

// Each colour paints with its own pen; the other pen keeps its brush, and
// the old brush is gone.
TEST_F(CanvasTest, EachColourPaintsWithItsOwnPen)
{
    ASSERT_TRUE(canvas_create(2, 1));
    const HBRUSH right_before = g_right_pen.brush;
    for (const auto &[colour, seen] : {std::pair{PEN_COLOUR_RED, "r.\n"},
                                       {PEN_COLOUR_GREEN, "g.\n"},
                                       {PEN_COLOUR_BLUE, "b.\n"},
                                       {PEN_COLOUR_BLACK, "k.\n"},
                                       {PEN_COLOUR_WHITE, "..\n"}}) {
        const HBRUSH old = g_left_pen.brush;
        pen_set_colour(&g_left_pen, colour);
        EXPECT_FALSE(DeleteObject(old)) << "the old brush is gone";
        fill({0, 0, 2, 1}, g_left_pen.brush);
        fill({1, 0, 2, 1}, g_right_pen.brush);
        EXPECT_EQ(canvas_picture(), seen);
    }
    EXPECT_EQ(g_right_pen.brush, right_before);
}

TEST_F(CanvasTest, EnlargeAndShrinkStayWithinOneToThirty)
{
    PenTool pen = {nullptr, PEN_SIZE_START};
    for (const auto &[change, times, size] : {std::tuple{&pen_enlarge, 27, 30},
                                              {pen_enlarge, 1, 30},
                                              {pen_shrink, 29, 1},
                                              {pen_shrink, 1, 1}}) {
        for (int i = 0; i < times; ++i)
            change(&pen);
        EXPECT_EQ(pen.size, size);
    }
}

namespace {

constexpr long width = 40, height = 30;

// The stroke engine as the rules state it, on a picture of letters: the
// window calls it should make and the pixels it should paint.
struct Model {
    std::string picture = [] {
        std::string out;
        for (long row = 0; row < height; ++row)
            out += std::string(width, '.') + '\n';
        return out;
    }();
    std::string calls;
    bool has_previous = false, left = false, right = false;
    long previous_x = 0, previous_y = 0;

    void press(bool &captured, int bits, long x, long y)
    {
        captured = true;
        calls += "capture post 512 " + std::to_string(bits) + ' ' +
                 std::to_string(x) + ',' + std::to_string(y) + ' ';
    }
    void release(bool &captured)
    {
        captured = false;
        calls += "release ";
    }
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
        calls += "repaint " +
                 text(std::min(previous_x, x) - s, std::min(previous_y, y) - s,
                      std::max(previous_x, x) + s - 1,
                      std::max(previous_y, y) + s - 1) +
                 ' ';
    }
    void move(long x, long y, WPARAM bits)
    {
        if (!has_previous) {
            has_previous = true;
            previous_x = x;
            previous_y = y;
        }
        if (left && right) {
            // nothing is drawn while both buttons are captured
        } else if (left && (bits & 1)) {
            segment(x, y, g_left_pen.size, 'k');
        } else if (right && (bits & 2)) {
            segment(x, y, g_right_pen.size, 'r');
        }
        previous_x = x;
        previous_y = y;
    }
};

} // namespace

// Random presses, releases and moves of both buttons, with pen sizes 1 to
// 30 and positions up to the 16-bit extremes, through the engine and the
// model: the same window calls after every event, the same pixels after
// every run.
TEST_F(CanvasTest, RandomStrokesMatchTheModel)
{
    std::mt19937 random(20261207);
    const auto pick = [&](long low, long high) {
        return std::uniform_int_distribution<long>(low, high)(random);
    };
    Model model;
    // Now and then the far end of the 16-bit range from the last point, so
    // that two in a row cross the canvas 65535 pixels apart.
    const auto position = [&]() -> std::pair<long, long> {
        switch (pick(0, 15)) {
        case 0:
            return {model.previous_x < 0 ? 32767 : -32768,
                    pick(-5, height + 5)};
        case 1:
            return {pick(-5, width + 5), model.previous_y < 0 ? 32767 : -32768};
        case 2:
            return {pick(-32768, 32767), pick(-32768, 32767)};
        default:
            return {pick(-40, width + 40), pick(-40, height + 40)};
        }
    };
    const auto expect_calls = [&](const std::string &what) {
        EXPECT_EQ(g_calls, model.calls) << what;
        g_calls.clear();
        model.calls.clear();
    };
    pen_set_colour(&g_right_pen, PEN_COLOUR_RED);
    for (int run = 0; run < 40; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        free_canvas();
        ASSERT_TRUE(canvas_create(width, height));
        g_stroke = StrokeState{};
        model = Model{};
        for (int event = 0; event < 40; ++event) {
            // The first run starts with a press across the whole 16-bit range.
            const bool across = run == 0 && event < 2;
            const auto [x, y] =
                across ? std::pair{event == 0 ? -32768L : 32767L, 10L + event}
                       : position();
            const LPARAM at =
                MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
            const long action = across ? 4 * (1 - event) : pick(0, 5);
            if (action == 0) {
                stroke_press_left(the_window, at);
                model.press(model.left, MK_LBUTTON, x, y);
            } else if (action == 1) {
                stroke_press_right(the_window, at);
                model.press(model.right, MK_RBUTTON, x, y);
            } else if (action == 2 && model.left) {
                stroke_release_left();
                model.release(model.left);
            } else if (action == 3 && model.right) {
                stroke_release_right();
                model.release(model.right);
            } else if (action >= 4) {
                // Mostly the buttons held; now and then other keys, or bits
                // that miss a release the window never saw.
                WPARAM bits = (model.left ? MK_LBUTTON : 0) |
                              (model.right ? MK_RBUTTON : 0);
                if (pick(0, 5) == 0)
                    bits = static_cast<WPARAM>(pick(0, 15));
                (pick(0, 1) ? g_left_pen : g_right_pen).size = pick(1, 30);
                stroke_move(the_window, at, bits);
                model.move(x, y, bits);
            }
            expect_calls("event " + std::to_string(event));
            if (action <= 1) { // the press's posted move, before later input
                const WPARAM bits = action == 0 ? MK_LBUTTON : MK_RBUTTON;
                stroke_move(the_window, at, bits);
                model.move(x, y, bits);
                expect_calls("posted move " + std::to_string(event));
            }
            if (HasFailure())
                return;
        }
        ASSERT_EQ(canvas_picture(), model.picture);
    }
}
