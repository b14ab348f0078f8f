#include "tests/canvas/canvas_fixture.h"

#include <cstdint>

namespace {

const HWND window = reinterpret_cast<HWND>(0x5150);

LPARAM at(int x, int y) {
    return MAKELPARAM(x, y);
}

bool same(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right &&
           a.bottom == b.bottom;
}

::testing::AssertionResult rects_are(const std::vector<RECT> &got,
                                     const std::vector<RECT> &want) {
    bool equal = got.size() == want.size();
    for (size_t i = 0; equal && i < got.size(); ++i)
        equal = same(got[i], want[i]);
    if (equal)
        return ::testing::AssertionSuccess();
    auto show = [](const std::vector<RECT> &rects) {
        std::string out;
        for (const RECT &r : rects)
            out += "(" + std::to_string(r.left) + "," + std::to_string(r.top) +
                   "," + std::to_string(r.right) + "," +
                   std::to_string(r.bottom) + ") ";
        return out;
    };
    return ::testing::AssertionFailure()
           << "got " << show(got) << "\nwant " << show(want);
}

class StrokeTest : public CanvasTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(canvas_create(40, 30));
        pens_create_brushes();
    }

    // Handles the WM_MOUSEMOVE messages posted so far, as the message loop
    // would, and forgets them.
    static void deliver_posted() {
        std::vector<WindowCall> posted;
        for (const WindowCall &call : g_window_calls)
            if (call.kind == WindowCall::post_message)
                posted.push_back(call);
        g_window_calls.clear();
        for (const WindowCall &call : posted) {
            ASSERT_EQ(call.message, static_cast<UINT>(WM_MOUSEMOVE));
            stroke_move(call.window, call.lparam, call.wparam);
        }
    }

    static void move(int x, int y, WPARAM buttons) {
        stroke_move(window, at(x, y), buttons);
    }

    // Starts at (x, y) with nothing captured, so the previous point is there.
    static void rest_at(int x, int y) {
        move(x, y, 0);
        clear_recordings();
    }
};

// A white 40 x 30 picture, and one with a run of painted pixels in a row.
std::string blank() {
    std::string out;
    for (int y = 0; y < 30; ++y)
        out += std::string(40, '.') + "\n";
    return out;
}

std::string painted(std::string picture, int row, int from, int count) {
    picture.replace(static_cast<size_t>(row * 41 + from),
                    static_cast<size_t>(count), std::string(count, '#'));
    return picture;
}

using StrokeSegment = StrokeTest;
using StrokeEvents = StrokeTest;

} // namespace

TEST_F(StrokeSegment, FillsInOrderAndNamesTheRepaintRectangle) {
    PenTool pen = {g_left_pen.brush, 3};
    stroke_draw_segment(window, &pen, 100, 100, 105, 102);
    EXPECT_TRUE(rects_are(g_fills, {{97, 97, 102, 102},
                                    {97, 97, 102, 102},
                                    {98, 97, 103, 102},
                                    {99, 98, 104, 103},
                                    {100, 98, 105, 103},
                                    {101, 98, 106, 103}}));
    EXPECT_TRUE(rects_are(invalidated_rects(), {{97, 97, 107, 104}}));
    ASSERT_EQ(g_window_calls.size(), 1u);
    EXPECT_EQ(g_window_calls[0].window, window);
    EXPECT_FALSE(g_window_calls[0].erase);
}

TEST_F(StrokeSegment, NegativeDeltasTruncateTowardZero) {
    PenTool pen = {g_left_pen.brush, 5};
    stroke_draw_segment(window, &pen, 0, 0, -3, 7);
    EXPECT_TRUE(rects_are(g_fills, {{-5, -5, 4, 4},
                                    {-5, -5, 4, 4},
                                    {-5, -4, 4, 5},
                                    {-6, -3, 3, 6},
                                    {-6, -2, 3, 7},
                                    {-6, -1, 3, 8},
                                    {-7, 0, 2, 9},
                                    {-7, 1, 2, 10}}));
    EXPECT_TRUE(rects_are(invalidated_rects(), {{-8, -5, 4, 11}}));

    clear_recordings();
    pen.size = 3;
    stroke_draw_segment(window, &pen, 10, 10, 15, 12);
    EXPECT_TRUE(rects_are(invalidated_rects(), {{7, 7, 17, 14}}));
}

TEST_F(StrokeSegment, EndPointIsLeftForTheNextSegment) {
    PenTool pen = {g_left_pen.brush, 1};
    stroke_draw_segment(window, &pen, 10, 10, 15, 10);
    EXPECT_EQ(picture(), painted(blank(), 9, 9, 5)); // 9..13; 14 not yet

    fresh_canvas(40, 30);
    stroke_draw_segment(window, &pen, 15, 10, 10, 10);
    std::vector<LONG> stamps;
    for (const RECT &r : g_fills)
        stamps.push_back(r.right); // a size-1 stamp at x covers x - 1 only
    EXPECT_EQ(stamps, (std::vector<LONG>{15, 15, 14, 13, 12, 11}));
    EXPECT_EQ(picture(), painted(blank(), 9, 10, 5)); // 10..14
}

TEST_F(StrokeSegment, SixteenBitExtremesStayOnTheLine) {
    // Diagonals across the whole 16-bit range both ways, and the two
    // longest horizontal runs: 65536 stamps each, every step 0 or 1 pixel
    // toward the end, the end itself one step short.
    struct Case {
        LONG px, py, x, y;
    };
    PenTool pen = {g_left_pen.brush, 1};
    for (const Case &c : {Case{-32768, -32768, 32767, 32767},
                          Case{32767, 32767, -32768, -32768},
                          Case{-32768, 5, 32767, 5},
                          Case{32767, 5, -32768, 5}}) {
        fresh_canvas(40, 30);
        stroke_draw_segment(window, &pen, c.px, c.py, c.x, c.y);
        ASSERT_EQ(g_fills.size(), 65536u);
        const LONG step_x = c.x > c.px ? 1 : c.x < c.px ? -1 : 0;
        const LONG step_y = c.y > c.py ? 1 : c.y < c.py ? -1 : 0;
        LONG last_x = c.px, last_y = c.py;
        for (const RECT &r : g_fills) {
            const LONG x = r.right, y = r.bottom; // stamp point of size 1
            EXPECT_TRUE(x == last_x || x == last_x + step_x) << x;
            EXPECT_TRUE(y == last_y || y == last_y + step_y) << y;
            last_x = x;
            last_y = y;
        }
        EXPECT_EQ(g_fills[1].right, c.px);
        EXPECT_EQ(last_x, c.x - step_x);
        EXPECT_EQ(last_y, c.y - step_y);
        EXPECT_TRUE(rects_are(invalidated_rects(),
                              {{std::min(c.px, c.x) - 1, std::min(c.py, c.y) - 1,
                                std::max(c.px, c.x), std::max(c.py, c.y)}}));
        if (step_y != 0) {
            // The diagonal crosses the canvas exactly on its diagonal pixels.
            EXPECT_EQ(pixel(0, 0), PEN_COLOUR_BLACK);
            EXPECT_EQ(pixel(29, 29), PEN_COLOUR_BLACK);
            EXPECT_EQ(pixel(1, 0), PEN_COLOUR_WHITE);
        } else {
            EXPECT_EQ(picture(), painted(blank(), 4, 0, 40));
        }
    }
}

TEST_F(StrokeEvents, ClickPaintsOneSquareThroughThePostedMove) {
    rest_at(0, 0);
    g_right_pen.size = 2;
    stroke_press_right(window, at(20, 10));
    ASSERT_EQ(g_window_calls.size(), 2u);
    EXPECT_EQ(g_window_calls[0].kind, WindowCall::set_capture);
    EXPECT_EQ(g_window_calls[0].window, window);
    EXPECT_EQ(g_window_calls[1].kind, WindowCall::post_message);
    EXPECT_EQ(g_window_calls[1].wparam, static_cast<WPARAM>(MK_RBUTTON));
    EXPECT_EQ(g_window_calls[1].lparam, at(20, 10));
    EXPECT_TRUE(g_fills.empty()) << "nothing is drawn by the press itself";

    // The pointer was at (0, 0): the posted move draws from there.
    deliver_posted();
    EXPECT_EQ(g_fills.size(), 21u);
    fresh_canvas(40, 30);
    pen_set_colour(&g_right_pen, PEN_COLOUR_RED);
    stroke_press_right(window, at(20, 10)); // again, without moving
    deliver_posted();
    EXPECT_TRUE(rects_are(g_fills, {{18, 8, 21, 11}}));
    EXPECT_EQ(picture(),
              painted(painted(painted(blank(), 8, 18, 3), 9, 18, 3), 10, 18, 3));
    EXPECT_EQ(pixel(19, 9), PEN_COLOUR_RED);
}

TEST_F(StrokeEvents, PressPostsExactlyItsOwnButton) {
    stroke_press_left(window, at(-3, 7));
    stroke_press_right(window, at(4, -9));
    ASSERT_EQ(g_window_calls.size(), 4u);
    EXPECT_EQ(g_window_calls[1].wparam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(g_window_calls[1].lparam, at(-3, 7));
    EXPECT_EQ(g_window_calls[3].wparam, static_cast<WPARAM>(MK_RBUTTON));
    EXPECT_EQ(g_window_calls[3].lparam, at(4, -9));
    EXPECT_TRUE(g_stroke.left_captured);
    EXPECT_TRUE(g_stroke.right_captured);
}

TEST_F(StrokeEvents, FirstMoveStartsAtItsOwnPosition) {
    EXPECT_FALSE(g_stroke.has_previous);
    stroke_press_left(window, at(12, 9));
    deliver_posted();
    EXPECT_TRUE(rects_are(g_fills, {{9, 6, 14, 11}}));
    EXPECT_TRUE(g_stroke.has_previous);
    EXPECT_EQ(pixel(0, 0), PEN_COLOUR_WHITE);
}

TEST_F(StrokeEvents, DragDrawsFromThePreviousPointWithTheCapturedPen) {
    rest_at(5, 5);
    g_left_pen.size = 1;
    stroke_press_left(window, at(5, 5));
    deliver_posted();
    move(8, 5, MK_LBUTTON | MK_SHIFT);
    move(8, 7, MK_LBUTTON);
    stroke_release_left();
    EXPECT_EQ(g_window_calls.back().kind, WindowCall::release_capture);
    move(20, 20, MK_LBUTTON); // the release ended the drag
    EXPECT_FALSE(g_stroke.left_captured);
    EXPECT_EQ(picture(), painted(painted(blank(), 4, 4, 4), 5, 7, 1));
    EXPECT_EQ(invalidated_rects().size(), 3u);
}

TEST_F(StrokeEvents, NothingIsDrawnWhileBothButtonsAreCaptured) {
    rest_at(10, 10);
    stroke_press_left(window, at(10, 10));
    deliver_posted();
    stroke_press_right(window, at(10, 10));
    clear_recordings();
    deliver_posted();
    move(30, 10, MK_LBUTTON | MK_RBUTTON);
    EXPECT_TRUE(g_fills.empty());
    EXPECT_TRUE(invalidated_rects().empty());
    EXPECT_EQ(g_stroke.previous_x, 30);

    // Releasing one button releases the capture; the other resumes from
    // where the pointer is now, without a jump.
    stroke_release_right();
    EXPECT_EQ(g_window_calls.back().kind, WindowCall::release_capture);
    EXPECT_TRUE(g_stroke.left_captured);
    g_left_pen.size = 1;
    move(32, 10, MK_LBUTTON);
    EXPECT_TRUE(rects_are(g_fills, {{29, 9, 30, 10}, {29, 9, 30, 10}, {30, 9, 31, 10}}));
}

TEST_F(StrokeEvents, MoveWithoutTheCapturedButtonsBitDrawsNothing) {
    rest_at(3, 3);
    stroke_press_right(window, at(3, 3));
    deliver_posted();
    clear_recordings();
    move(9, 9, MK_LBUTTON); // the right button's release was never seen
    EXPECT_TRUE(g_fills.empty());
    EXPECT_EQ(g_stroke.previous_x, 9);
    EXPECT_EQ(g_stroke.previous_y, 9);
    move(10, 9, MK_RBUTTON);
    EXPECT_EQ(g_fills.size(), 2u);
}

TEST_F(StrokeEvents, MovesFarOffTheCanvasPaintOnlyWhatLiesOnIt) {
    rest_at(-500, 2);
    g_left_pen.size = 1;
    stroke_press_left(window, at(-500, 2));
    deliver_posted();
    move(-20000, 2, MK_LBUTTON); // entirely off to the left
    EXPECT_EQ(picture(), blank());
    move(30000, 2, MK_LBUTTON); // across the canvas and far beyond
    EXPECT_EQ(picture(), painted(blank(), 1, 0, 40));
    EXPECT_TRUE(rects_are({invalidated_rects().back()}, {{-20001, 1, 30000, 2}}));
}
