// The canvas, the pens and the stroke engine on the real drawing surfaces,
// with recording stand-ins for the window services.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"
#include "canvas/stroke_test_support.h"
#include "tests/canvas/window_doubles.h"

namespace {

// A fresh canvas and fresh pens for each test, freed afterwards.
class CanvasTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        free_canvas();
        DeleteObject(g_left_pen.brush);
        DeleteObject(g_right_pen.brush);
        g_left_pen = PenTool{nullptr, PEN_SIZE_START};
        g_right_pen = PenTool{nullptr, PEN_SIZE_START};
        g_stroke = StrokeState{};
        clear_recordings();
    }

    static void free_canvas()
    {
        DeleteObject(g_canvas.bitmap);
        DeleteDC(g_canvas.dc);
        g_canvas = ::Canvas{};
    }

    static std::vector<BYTE> read_out()
    {
        BYTE *buffer = canvas_read_out();
        EXPECT_NE(buffer, nullptr);
        std::vector<BYTE> bytes(buffer, buffer + canvas_byte_count());
        free(buffer);
        return bytes;
    }

    // The canvas as rows of '.' (white), 'k' (black), 'r' (red) and '?'
    // (anything else), each row ended by a newline.
    static std::string picture()
    {
        const std::vector<BYTE> bytes = read_out();
        std::string out;
        for (size_t at = 0; at < bytes.size(); at += 4) {
            const unsigned rgb =
                bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at];
            out += rgb == 0xFFFFFF   ? '.'
                   : rgb == 0        ? 'k'
                   : rgb == 0xFF0000 ? 'r'
                                     : '?';
            if ((at / 4 + 1) % static_cast<size_t>(g_canvas.width) == 0)
                out += '\n';
        }
        return out;
    }
};

// The bytes (blue, green, red) at (x, y) of a 4-pixel-wide bitmap.
std::vector<BYTE> pixel(const BYTE *bytes, int x, int y)
{
    const BYTE *at = bytes + (y * 4 + x) * 4;
    return std::vector<BYTE>(at, at + 3);
}

} // namespace

TEST_F(CanvasTest, StartsWhiteWithTheBitmapPutAway)
{
    ASSERT_TRUE(canvas_create(7, 5));
    EXPECT_EQ(read_out(), std::vector<BYTE>(7 * 5 * 4, 0xFF));
    EXPECT_EQ(g_canvas.previous, selected_bitmap(g_canvas.dc));
    EXPECT_NE(g_canvas.previous, g_canvas.bitmap);
}

TEST_F(CanvasTest, ZeroSizedCanvasLeavesTheSharedBitmapAlone)
{
    pens_create_brushes();
    pen_set_colour(&g_left_pen,
                   PEN_COLOUR_RED); // not the shared bitmap's black
    for (const auto &[width, height] : {std::pair{0, 0}, {0, 9}, {9, 0}}) {
        ASSERT_TRUE(canvas_create(width, height));
        const RECT everywhere = {-100, -100, 100, 100};
        canvas_begin_drawing();
        canvas_fill(&everywhere, g_left_pen.brush);
        canvas_end_drawing();
        EXPECT_TRUE(read_out().empty());
        // Black, in whatever form the system keeps it (Windows: one bit).
        BYTE shared[4] = {};
        const LONG count = GetBitmapBits(g_canvas.bitmap, 4, shared);
        ASSERT_GT(count, 0);
        EXPECT_EQ(std::vector<BYTE>(shared, shared + count),
                  std::vector<BYTE>(static_cast<size_t>(count), 0))
            << "the 1 x 1 bitmap was painted";
        free_canvas();
    }
}

TEST_F(CanvasTest, RefusesSizesItCannotHoldAndKeepsTheOldCanvas)
{
    ASSERT_TRUE(canvas_create(2, 2));
    const ::Canvas before = g_canvas;
    for (const auto &[width, height] : {std::pair{-1, 10},
                                        {10, -1},
                                        {23171, 23171}, // 2147580964 bytes
                                        {2147483647, 2147483647}})
        EXPECT_FALSE(canvas_create(width, height)) << width << " x " << height;
    EXPECT_EQ(g_canvas.bitmap, before.bitmap);
    EXPECT_EQ(g_canvas.dc, before.dc);
}

TEST_F(CanvasTest, FillsChangeOnlyTheirPartOnTheCanvasAndCopyOut)
{
    ASSERT_TRUE(canvas_create(4, 3));
    pens_create_brushes();
    const RECT partly_off = {-2, 2, 2, 9};
    const RECT wholly_off = {4, 0, 9, 3};
    canvas_begin_drawing();
    canvas_fill(&partly_off, g_left_pen.brush);
    canvas_fill(&wholly_off, g_left_pen.brush);
    canvas_end_drawing();
    EXPECT_EQ(picture(), "....\n....\nkk..\n");

    // Copying out lands at the same place; the bitmap is put away after.
    // Against the screen: the canvas's DC holds the 1 x 1 stock bitmap now,
    // and a bitmap made against it would be monochrome on Windows.
    const HDC screen = GetDC(NULL);
    const HDC target = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
    ReleaseDC(NULL, screen);
    const HGDIOBJ original = SelectObject(target, bitmap);
    BYTE bytes[48];
    std::fill_n(bytes, 48, BYTE{0x80}); // grey
    SetBitmapBits(bitmap, 48, bytes);
    const RECT area = {1, 1, 3, 3};
    canvas_copy_to(target, &area);
    GetBitmapBits(bitmap, 48, bytes);
    EXPECT_EQ(pixel(bytes, 1, 1), std::vector<BYTE>(3, 0xFF)); // white
    EXPECT_EQ(pixel(bytes, 1, 2), std::vector<BYTE>(3, 0x00)); // black
    EXPECT_EQ(pixel(bytes, 0, 2),
              std::vector<BYTE>(3, 0x80)); // outside: untouched
    EXPECT_EQ(selected_bitmap(g_canvas.dc), g_canvas.previous);
    SelectObject(target, original);
    DeleteObject(bitmap);
    DeleteDC(target);
}

// Each colour command's pen paints these bytes; the other pen keeps its
// own brush.
TEST_F(CanvasTest, EachColourPaintsItsBytesWithItsOwnPen)
{
    ASSERT_TRUE(canvas_create(2, 1));
    pens_create_brushes();
    const HBRUSH right_before = g_right_pen.brush;
    struct Case {
        COLORREF colour;
        std::vector<BYTE> blue_green_red;
    };
    for (const Case &c :
         {Case{PEN_COLOUR_RED, {0, 0, 255}},
          Case{PEN_COLOUR_GREEN, {0, 255, 0}},
          Case{PEN_COLOUR_BLUE, {255, 0, 0}}, Case{PEN_COLOUR_BLACK, {0, 0, 0}},
          Case{PEN_COLOUR_WHITE, {255, 255, 255}}}) {
        const HBRUSH old = g_left_pen.brush;
        pen_set_colour(&g_left_pen, c.colour);
        EXPECT_FALSE(DeleteObject(old)) << "the old brush is gone";
        const RECT both = {0, 0, 2, 1};
        const RECT second = {1, 0, 2, 1};
        canvas_begin_drawing();
        canvas_fill(&both, g_left_pen.brush);
        canvas_fill(&second, g_right_pen.brush);
        canvas_end_drawing();
        const std::vector<BYTE> bytes = read_out();
        EXPECT_EQ(pixel(bytes.data(), 0, 0), c.blue_green_red)
            << std::hex << c.colour;
        EXPECT_EQ(pixel(bytes.data(), 1, 0), std::vector<BYTE>(3, 0xFF));
    }
    EXPECT_EQ(g_right_pen.brush, right_before);
}

TEST_F(CanvasTest, EnlargeAndShrinkStayWithinOneToThirty)
{
    PenTool pen = {nullptr, PEN_SIZE_START};
    struct Step {
        void (*change)(PenTool *);
        int times;
        LONG size;
    };
    for (const Step &step :
         {Step{pen_enlarge, 27, 30}, Step{pen_enlarge, 1, 30},
          Step{pen_shrink, 29, 1}, Step{pen_shrink, 1, 1}}) {
        for (int i = 0; i < step.times; ++i)
            step.change(&pen);
        EXPECT_EQ(pen.size, step.size);
    }
}

// The worked example of a segment, stamp by stamp: negative deltas
// truncate toward zero, the end point is left for the next segment.
TEST_F(CanvasTest, SegmentFillsInOrderAndNamesTheRepaintRectangle)
{
    ASSERT_TRUE(canvas_create(2, 2));
    pens_create_brushes();
    PenTool pen = {g_left_pen.brush, 5};
    stroke_draw_segment(the_window, &pen, 0, 0, -3, 7);
    std::string fills;
    for (const RECT &r : g_fills)
        fills += text(r.left, r.top, r.right, r.bottom);
    EXPECT_EQ(fills, "(-5,-5,4,4)(-5,-5,4,4)(-5,-4,4,5)(-6,-3,3,6)"
                     "(-6,-2,3,7)(-6,-1,3,8)(-7,0,2,9)(-7,1,2,10)");
    EXPECT_EQ(g_window_calls, "repaint (-8,-5,4,11) ");
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
    pens_create_brushes();
    pen_set_colour(&g_right_pen, PEN_COLOUR_RED);
    for (int run = 0; run < 40; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        free_canvas();
        ASSERT_TRUE(canvas_create(width, height));
        g_stroke = StrokeState{};
        model = Model{};
        for (int event = 0; event < 40; ++event) {
            clear_recordings();
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
            ASSERT_EQ(g_window_calls, model.calls) << "event " << event;
            model.calls.clear();
            if (action <=
                1) { // the press's posted move, before any later input
                clear_recordings();
                stroke_move(the_window, at,
                            action == 0 ? MK_LBUTTON : MK_RBUTTON);
                model.move(x, y, action == 0 ? MK_LBUTTON : MK_RBUTTON);
                ASSERT_EQ(g_window_calls, model.calls)
                    << "posted move " << event;
                model.calls.clear();
            }
        }
        ASSERT_EQ(picture(), model.picture);
    }
}
