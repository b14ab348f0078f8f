#include "tests/canvas/canvas_fixture.h"

#include <algorithm>
#include <iterator>

using CanvasSurface = CanvasTest;
using CanvasPens = CanvasTest;

TEST_F(CanvasSurface, StartsWhiteWithTheBitmapPutAway) {
    ASSERT_TRUE(canvas_create(7, 5));
    EXPECT_EQ(read_out(), std::vector<BYTE>(7 * 5 * 4, 0xFF));
    EXPECT_EQ(g_canvas.previous, selected_bitmap(g_canvas.dc));
    EXPECT_NE(g_canvas.previous, g_canvas.bitmap);
}

TEST_F(CanvasSurface, ZeroSizedCanvasHasNoPixelsToFill) {
    pens_create_brushes();
    for (const auto &[width, height] : {std::pair{0, 0}, {0, 9}, {9, 0}}) {
        ASSERT_TRUE(canvas_create(width, height));
        const RECT everywhere = {-100, -100, 100, 100};
        canvas_begin_drawing();
        canvas_fill(&everywhere, g_left_pen.brush);
        canvas_end_drawing();
        EXPECT_TRUE(read_out().empty());
        // The shared 1 x 1 bitmap it stands on is left as it was.
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
    EXPECT_FALSE(canvas_create(23171, 23171)); // 2147580964 bytes
    EXPECT_FALSE(canvas_create(2147483647, 2147483647));
    EXPECT_EQ(g_canvas.width, before.width);
    EXPECT_EQ(g_canvas.bitmap, before.bitmap);
    EXPECT_EQ(g_canvas.dc, before.dc);
}

TEST_F(CanvasSurface, FillsChangeOnlyTheirPartOnTheCanvasAndCopyOut) {
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
                         "kk..\n");

    // Copying out lands at the same place; the bitmap is put away after.
    const HDC screen = GetDC(nullptr);
    const HDC target = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ original = SelectObject(target, bitmap);
    BYTE bytes[48];
    std::fill(std::begin(bytes), std::end(bytes), BYTE{0x80}); // grey
    SetBitmapBits(bitmap, 48, bytes);
    const RECT area = {1, 1, 3, 3};
    canvas_copy_to(target, &area);
    GetBitmapBits(bitmap, 48, bytes);
    // Blue, green and red of a pixel; the spare byte is the system's.
    const auto colour = [&](int x, int y) {
        const BYTE *at = bytes + (y * 4 + x) * 4;
        return std::vector<BYTE>(at, at + 3);
    };
    EXPECT_EQ(colour(1, 1), std::vector<BYTE>(3, 0xFF)); // white
    EXPECT_EQ(colour(1, 2), std::vector<BYTE>(3, 0x00)); // black
    EXPECT_EQ(std::vector<BYTE>(bytes + 8 * 4, bytes + 9 * 4),
              std::vector<BYTE>(4, 0x80)); // (0, 2) outside: untouched
    EXPECT_EQ(selected_bitmap(g_canvas.dc), g_canvas.previous);
    SelectObject(target, original);
    DeleteObject(bitmap);
    DeleteDC(target);
}

TEST_F(CanvasPens, ColoursStartBlackAndWhiteAndChangeOnlyTheirPen) {
    ASSERT_TRUE(canvas_create(2, 1));
    pens_create_brushes();
    const HBRUSH left_before = g_left_pen.brush;
    const HBRUSH right_before = g_right_pen.brush;
    pen_set_colour(&g_left_pen, PEN_COLOUR_BLACK); // the colour it has
    EXPECT_NE(g_left_pen.brush, left_before);
    EXPECT_FALSE(DeleteObject(left_before)) << "the old brush is gone";
    EXPECT_EQ(g_right_pen.brush, right_before);

    const RECT first = {0, 0, 1, 1};
    const RECT second = {1, 0, 2, 1};
    for (const COLORREF colour :
         {PEN_COLOUR_RED, PEN_COLOUR_GREEN, PEN_COLOUR_BLUE, PEN_COLOUR_BLACK}) {
        pen_set_colour(&g_left_pen, colour);
        canvas_begin_drawing();
        canvas_fill(&first, g_left_pen.brush);
        canvas_fill(&second, g_right_pen.brush);
        canvas_end_drawing();
        const std::vector<BYTE> bytes = read_out();
        EXPECT_EQ(RGB(bytes[2], bytes[1], bytes[0]), colour);
        EXPECT_EQ(RGB(bytes[6], bytes[5], bytes[4]), PEN_COLOUR_WHITE);
    }
}

TEST_F(CanvasPens, EnlargeAndShrinkStayWithinOneToThirty) {
    PenTool pen = {nullptr, PEN_SIZE_START};
    for (int i = 0; i < 27; ++i)
        pen_enlarge(&pen);
    EXPECT_EQ(pen.size, 30);
    pen_enlarge(&pen);
    EXPECT_EQ(pen.size, 30);
    for (int i = 0; i < 29; ++i)
        pen_shrink(&pen);
    EXPECT_EQ(pen.size, 1);
    pen_shrink(&pen);
    EXPECT_EQ(pen.size, 1);
}
