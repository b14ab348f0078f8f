#include "tests/canvas/canvas_fixture.h"

#include "platform/gdi/gdi_internal.h"

using CanvasSurface = CanvasTest;
using CanvasPens = CanvasTest;

TEST_F(CanvasSurface, StartsWhiteWithTheBitmapPutAway) {
    ASSERT_TRUE(canvas_create(7, 5));
    EXPECT_EQ(g_canvas.width, 7);
    EXPECT_EQ(g_canvas.height, 5);
    EXPECT_EQ(read_out(), std::vector<BYTE>(7 * 5 * 4, 0xFF));
    // The bitmap is selected only while in use: the DC holds its original.
    EXPECT_NE(scribblet::gdi::selected_bitmap(g_canvas.dc), g_canvas.bitmap);
    EXPECT_EQ(g_canvas.previous, scribblet::gdi::selected_bitmap(g_canvas.dc));
}

TEST_F(CanvasSurface, ZeroSizedCanvasHasNoPixels) {
    for (const auto &[width, height] : {std::pair{0, 0}, {0, 9}, {9, 0}}) {
        ASSERT_TRUE(canvas_create(width, height));
        EXPECT_EQ(canvas_byte_count(), 0u);
        pens_create_brushes();
        const RECT everywhere = {-100, -100, 100, 100};
        canvas_begin_drawing();
        canvas_fill(&everywhere, g_left_pen.brush);
        canvas_end_drawing();
        EXPECT_TRUE(read_out().empty());
        // Nothing leaked onto the shared 1 x 1 bitmap it stands on.
        BYTE stock[2] = {};
        GetBitmapBits(g_canvas.bitmap, 2, stock);
        EXPECT_EQ(stock[0], 0);
        free_canvas();
    }
}

TEST_F(CanvasSurface, RefusesSizesItCannotHoldAndKeepsTheOldCanvas) {
    ASSERT_TRUE(canvas_create(2, 2));
    const Canvas before = g_canvas;
    EXPECT_FALSE(canvas_create(-1, 10));
    EXPECT_FALSE(canvas_create(10, -1));
    // 23171 x 23171 x 4 = 2147580964, just above 2147483647.
    EXPECT_FALSE(canvas_create(23171, 23171));
    EXPECT_FALSE(canvas_create(2147483647, 2147483647));
    EXPECT_EQ(g_canvas.width, before.width);
    EXPECT_EQ(g_canvas.bitmap, before.bitmap);
    EXPECT_EQ(g_canvas.dc, before.dc);
}

TEST_F(CanvasSurface, FillsChangeOnlyTheirPartOnTheCanvas) {
    ASSERT_TRUE(canvas_create(4, 3));
    pens_create_brushes();
    const RECT partly_off = {-2, 2, 2, 9};
    const RECT wholly_off = {4, 0, 9, 3};
    canvas_begin_drawing();
    canvas_fill(&partly_off, g_left_pen.brush);
    canvas_fill(&wholly_off, g_left_pen.brush);
    canvas_end_drawing();
    EXPECT_EQ(picture(), "....\n"
                         "....\n"
                         "##..\n");
}

TEST_F(CanvasSurface, CopiesAnAreaToTheSamePlace) {
    ASSERT_TRUE(canvas_create(4, 4));
    pens_create_brushes();
    const RECT dot = {1, 2, 2, 3};
    canvas_begin_drawing();
    canvas_fill(&dot, g_left_pen.brush);
    canvas_end_drawing();

    const HDC screen = GetDC(nullptr);
    const HDC target = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    const HGDIOBJ original = SelectObject(target, bitmap);
    std::vector<BYTE> grey(64, 0x80);
    SetBitmapBits(bitmap, 64, grey.data());
    const RECT area = {1, 1, 3, 3};
    canvas_copy_to(target, &area);

    std::vector<BYTE> bytes(64);
    GetBitmapBits(bitmap, 64, bytes.data());
    auto at = [&](int x, int y) { return bytes[static_cast<size_t>(y * 4 + x) * 4]; };
    EXPECT_EQ(at(1, 2), 0x00);  // the black dot
    EXPECT_EQ(at(2, 1), 0xFF);  // white canvas
    EXPECT_EQ(at(0, 0), 0x80);  // outside the area: untouched
    EXPECT_EQ(at(3, 3), 0x80);
    EXPECT_NE(scribblet::gdi::selected_bitmap(g_canvas.dc), g_canvas.bitmap);
    SelectObject(target, original);
    DeleteObject(bitmap);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

// What pen paints at the top-left pixel of a fresh 1 x 1 canvas.
static COLORREF painted_by(const PenTool &pen) {
    const RECT all = {0, 0, 1, 1};
    canvas_begin_drawing();
    canvas_fill(&all, pen.brush);
    canvas_end_drawing();
    BYTE bytes[4] = {};
    GetBitmapBits(g_canvas.bitmap, 4, bytes);
    return RGB(bytes[2], bytes[1], bytes[0]);
}

TEST_F(CanvasPens, StartBlackAndWhiteAtSizeThree) {
    ASSERT_TRUE(canvas_create(1, 1));
    pens_create_brushes();
    EXPECT_EQ(painted_by(g_right_pen), PEN_COLOUR_WHITE);
    EXPECT_EQ(painted_by(g_left_pen), PEN_COLOUR_BLACK);
    EXPECT_EQ(g_left_pen.size, 3);
    EXPECT_EQ(g_right_pen.size, 3);
}

TEST_F(CanvasPens, ColourChangeReplacesOnlyThatPensBrush) {
    ASSERT_TRUE(canvas_create(1, 1));
    pens_create_brushes();
    const HBRUSH left_before = g_left_pen.brush;
    const HBRUSH right_before = g_right_pen.brush;

    pen_set_colour(&g_left_pen, PEN_COLOUR_BLACK); // the colour it has
    EXPECT_NE(g_left_pen.brush, left_before);
    EXPECT_FALSE(DeleteObject(left_before)) << "the old brush is gone";
    EXPECT_EQ(painted_by(g_left_pen), PEN_COLOUR_BLACK);

    for (COLORREF colour : {PEN_COLOUR_RED, PEN_COLOUR_GREEN, PEN_COLOUR_BLUE}) {
        pen_set_colour(&g_left_pen, colour);
        EXPECT_EQ(painted_by(g_left_pen), colour);
    }
    EXPECT_EQ(g_right_pen.brush, right_before);
    EXPECT_EQ(painted_by(g_right_pen), PEN_COLOUR_WHITE);
}

TEST_F(CanvasPens, EnlargeAndShrinkStayWithinOneToThirty) {
    PenTool pen = {nullptr, 3};
    for (int i = 0; i < 26; ++i)
        pen_enlarge(&pen);
    EXPECT_EQ(pen.size, 29);
    pen_enlarge(&pen);
    EXPECT_EQ(pen.size, 30);
    pen_enlarge(&pen);
    EXPECT_EQ(pen.size, 30);
    for (int i = 0; i < 29; ++i)
        pen_shrink(&pen);
    EXPECT_EQ(pen.size, 1);
    pen_shrink(&pen);
    EXPECT_EQ(pen.size, 1);
    EXPECT_EQ(g_left_pen.size, 3) << "other pens untouched";
}
