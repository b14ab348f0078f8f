#include "tests/canvas/canvas_fixture.h"

#include <algorithm>
#include <sstream>

namespace {

const HWND window = reinterpret_cast<HWND>(0x5150);

std::string text(const std::vector<RECT> &rects) {
    std::ostringstream out;
    for (const RECT &r : rects)
        out << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
    return out.str();
}

class StrokeTest : public CanvasTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(canvas_create(40, 30));
        pens_create_brushes();
    }

    // Handles the moves posted so far, as the message loop would.
    static void deliver_posted() {
        std::vector<WindowCall> posted;
        for (const WindowCall &call : g_window_calls)
            if (call.kind == WindowCall::post_message)
                posted.push_back(call);
        for (const WindowCall &call : posted) {
            ASSERT_EQ(call.message, static_cast<UINT>(WM_MOUSEMOVE));
            stroke_move(call.window, call.lparam, call.wparam);
        }
    }
    static void move(int x, int y, WPARAM buttons) {
        stroke_move(window, MAKELPARAM(x, y), buttons);
    }
    static void press_left(int x, int y) {
        stroke_press_left(window, MAKELPARAM(x, y));
        deliver_posted();
    }
    // The pointer rests at (x, y) with nothing captured.
    static void rest_at(int x, int y) {
        move(x, y, 0);
        clear_recordings();
    }
};

using StrokeSegment = StrokeTest;
using StrokeEvents = StrokeTest;

} // namespace

TEST_F(StrokeSegment, FillsInOrderAndNamesTheRepaintRectangle) {
    PenTool pen = {g_left_pen.brush, 3};
    stroke_draw_segment(window, &pen, 100, 100, 105, 102);
    EXPECT_EQ(text(g_fills), "(97,97,102,102)(97,97,102,102)(98,97,103,102)"
                             "(99,98,104,103)(100,98,105,103)(101,98,106,103)");
    EXPECT_EQ(text(invalidated_rects()), "(97,97,107,104)");
    EXPECT_EQ(g_window_calls.back().window, window);
    EXPECT_FALSE(g_window_calls.back().erase);

    clear_recordings();
    pen.size = 5;
    stroke_draw_segment(window, &pen, 0, 0, -3, 7);
    EXPECT_EQ(text(g_fills), "(-5,-5,4,4)(-5,-5,4,4)(-5,-4,4,5)(-6,-3,3,6)"
                             "(-6,-2,3,7)(-6,-1,3,8)(-7,0,2,9)(-7,1,2,10)");
    EXPECT_EQ(text(invalidated_rects()), "(-8,-5,4,11)");
}

TEST_F(StrokeSegment, EndPointIsLeftForTheNextSegmentEitherWay) {
    PenTool pen = {g_left_pen.brush, 1};
    stroke_draw_segment(window, &pen, 10, 10, 15, 10);
    EXPECT_EQ(picture(), painted(blank(), 9, 9, 5)); // 9..13; 14 not yet
    fresh_canvas(40, 30);
    stroke_draw_segment(window, &pen, 15, 10, 10, 10);
    EXPECT_EQ(text(g_fills), "(14,9,15,10)(14,9,15,10)(13,9,14,10)"
                             "(12,9,13,10)(11,9,12,10)(10,9,11,10)");
    EXPECT_EQ(picture(), painted(blank(), 9, 10, 5)); // 10..14
}

TEST_F(StrokeSegment, SixteenBitExtremesStayOnTheLine) {
    // Across the whole 16-bit range, diagonally and level, both ways: 65536
    // stamps, each 0 or 1 pixel on from the last toward the end, the end
    // itself one step short.
    struct Case { LONG px, py, x, y; };
    PenTool pen = {g_left_pen.brush, 1};
    for (const Case &c : {Case{-32768, -32768, 32767, 32767}, Case{32767, 32767, -32768, -32768},
                          Case{-32768, 5, 32767, 5}, Case{32767, 5, -32768, 5}}) {
        fresh_canvas(40, 30);
        stroke_draw_segment(window, &pen, c.px, c.py, c.x, c.y);
        ASSERT_EQ(g_fills.size(), 65536u);
        const LONG step_x = c.x > c.px ? 1 : -1;
        const LONG step_y = c.y > c.py ? 1 : c.y < c.py ? -1 : 0;
        LONG x = c.px, y = c.py;
        for (const RECT &r : g_fills) { // a size-1 stamp at x covers x - 1
            ASSERT_TRUE(r.right == x || r.right == x + step_x) << r.right;
            ASSERT_TRUE(r.bottom == y || r.bottom == y + step_y) << r.bottom;
            x = r.right;
            y = r.bottom;
        }
        EXPECT_EQ(x, c.x - step_x);
        EXPECT_EQ(y, c.y - step_y);
        EXPECT_EQ(text(invalidated_rects()),
                  text({{std::min(c.px, c.x) - 1, std::min(c.py, c.y) - 1,
                         std::max(c.px, c.x), std::max(c.py, c.y)}}));
        std::string line = painted(blank(), 4, 0, 40);
        if (step_y != 0) {
            line = blank();
            for (int i = 0; i < 30; ++i)
                line[static_cast<size_t>(i * 41 + i)] = 'k';
        }
        EXPECT_EQ(picture(), line);
    }
}

TEST_F(StrokeEvents, ClickPaintsOneSquareThroughItsPostedMove) {
    rest_at(20, 10);
    g_right_pen.size = 2;
    pen_set_colour(&g_right_pen, PEN_COLOUR_RED);
    stroke_press_right(window, MAKELPARAM(20, 10));
    ASSERT_EQ(g_window_calls.size(), 2u);
    EXPECT_EQ(g_window_calls[0].kind, WindowCall::set_capture);
    EXPECT_EQ(g_window_calls[0].window, window);
    EXPECT_EQ(g_window_calls[1].kind, WindowCall::post_message);
    EXPECT_EQ(g_window_calls[1].wparam, static_cast<WPARAM>(MK_RBUTTON));
    EXPECT_EQ(g_window_calls[1].lparam, MAKELPARAM(20, 10));
    EXPECT_TRUE(g_fills.empty()) << "the press itself draws nothing";
    deliver_posted();
    EXPECT_EQ(text(g_fills), "(18,8,21,11)");
    std::string square = blank();
    for (int row = 8; row <= 10; ++row)
        square = painted(square, row, 18, 3, 'r');
    EXPECT_EQ(picture(), square);
}

TEST_F(StrokeEvents, PressFromElsewhereDrawsFromTheLastPointer) {
    rest_at(0, 0);
    stroke_press_left(window, MAKELPARAM(-3, 7));
    stroke_press_right(window, MAKELPARAM(4, -9)); // with the left held
    EXPECT_EQ(g_window_calls[1].wparam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(g_window_calls[3].wparam, static_cast<WPARAM>(MK_RBUTTON));
    EXPECT_EQ(g_window_calls[3].lparam, MAKELPARAM(4, -9));
    stroke_release_right();
    deliver_posted(); // the left press's move draws from (0, 0) to (-3, 7)
    EXPECT_EQ(g_fills.size(), 8u);
}

TEST_F(StrokeEvents, FirstMoveStartsAtItsOwnPosition) {
    press_left(12, 9);
    EXPECT_EQ(text(g_fills), "(9,6,14,11)");
}

TEST_F(StrokeEvents, DragDrawsWithTheCapturedPenUntilRelease) {
    rest_at(5, 5);
    g_left_pen.size = 1;
    press_left(5, 5);
    move(8, 5, MK_LBUTTON | MK_SHIFT);
    move(8, 7, MK_LBUTTON);
    stroke_release_left();
    EXPECT_EQ(g_window_calls.back().kind, WindowCall::release_capture);
    move(20, 20, MK_LBUTTON); // a move the release already ended
    EXPECT_EQ(picture(), painted(painted(blank(), 4, 4, 4), 5, 7, 1));
    EXPECT_EQ(invalidated_rects().size(), 3u);
}

TEST_F(StrokeEvents, BothButtonsCapturedDrawNothingThenResumeWithoutAJump) {
    rest_at(10, 10);
    press_left(10, 10);
    stroke_press_right(window, MAKELPARAM(10, 10));
    clear_recordings();
    deliver_posted();
    move(30, 10, MK_LBUTTON | MK_RBUTTON);
    EXPECT_TRUE(g_fills.empty());
    EXPECT_TRUE(invalidated_rects().empty());

    stroke_release_right(); // releases the capture though the left is held
    EXPECT_EQ(g_window_calls.back().kind, WindowCall::release_capture);
    g_left_pen.size = 1;
    move(32, 10, MK_LBUTTON);
    EXPECT_EQ(text(g_fills), "(29,9,30,10)(29,9,30,10)(30,9,31,10)");
}

TEST_F(StrokeEvents, MoveLackingTheCapturedButtonsBitDrawsNothing) {
    rest_at(3, 3);
    stroke_press_right(window, MAKELPARAM(3, 3));
    deliver_posted();
    clear_recordings();
    move(9, 9, MK_LBUTTON); // the right release was never seen
    EXPECT_TRUE(g_fills.empty());
    move(10, 9, MK_RBUTTON); // and the point still followed the pointer
    EXPECT_EQ(g_fills.size(), 2u);
}

TEST_F(StrokeEvents, MovesFarOffTheCanvasPaintOnlyWhatLiesOnIt) {
    rest_at(-500, 2);
    g_left_pen.size = 1;
    press_left(-500, 2);
    move(-20000, 2, MK_LBUTTON);
    EXPECT_EQ(picture(), blank());
    move(30000, 2, MK_LBUTTON); // 50000 pixels: across the canvas and beyond
    EXPECT_EQ(picture(), painted(blank(), 1, 0, 40));
    EXPECT_EQ(text({invalidated_rects().back()}), "(-20001,1,30000,2)");
}
