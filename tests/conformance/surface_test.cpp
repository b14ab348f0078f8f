// FillRect's edges and clipping and BitBlt's clipping, as the canvas uses them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/conformance/conformance.h"

namespace {

// A width x height bitmap made against the desktop, selected into a
// memory DC, white at the start.
struct Surface {
    HDC screen = GetDC(GetDesktopWindow());
    HDC dc = CreateCompatibleDC(screen);
    int width, height;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(dc, bitmap);

    Surface(int w, int h) : width(w), height(h)
    {
        const std::vector<BYTE> white(static_cast<size_t>(w * h * 4), 0xFF);
        SetBitmapBits(bitmap, static_cast<DWORD>(white.size()), white.data());
    }
    ~Surface()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(GetDesktopWindow(), screen);
    }
    void fill_black(const RECT &rect)
    {
        const HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
    // Rows of '.' for white, '#' for any other colour (the spare byte aside).
    std::string picture() const
    {
        std::vector<BYTE> all(static_cast<size_t>(width * height * 4));
        GetBitmapBits(bitmap, static_cast<LONG>(all.size()), all.data());
        std::string out;
        for (size_t at = 0; at < all.size(); at += 4) {
            const bool white =
                all[at] == 0xFF && all[at + 1] == 0xFF && all[at + 2] == 0xFF;
            out += white ? '.' : '#';
            if ((at / 4 + 1) % static_cast<size_t>(width) == 0)
                out += '\n';
        }
        return out;
    }
};

TEST(Surface, FillRectCoversLeftAndTopEdgesAndIsClipped)
{
    Surface surface(6, 5);
    for (const RECT &rect :
         {RECT{1, 1, 3, 2}, RECT{-4, 3, 1, 99}, RECT{5, -9, 99, 1},
          RECT{4, 2, 4, 4}, RECT{2, 4, 5, 4}, RECT{6, 0, 9, 5}})
        surface.fill_black(rect);
    EXPECT_EQ(surface.picture(), ".....#\n"
                                 ".##...\n"
                                 "......\n"
                                 "#.....\n"
                                 "#.....\n");
}

// What lies off either surface, at a negative source or destination
// position too, is left out of the copy.
TEST(Surface, BitBltIsClippedToBothSurfaces)
{
    Surface from(4, 4);
    for (const RECT &rect : {RECT{0, 0, 1, 1}, RECT{1, 1, 2, 2},
                             RECT{3, 0, 4, 1}, RECT{3, 2, 4, 3}})
        from.fill_black(rect);
    Surface to(3, 3);
    EXPECT_TRUE(BitBlt(to.dc, 0, 1, 10, 10, from.dc, -1, 0, SRCCOPY));
    EXPECT_EQ(to.picture(), "...\n"
                            ".#.\n"
                            "..#\n");
    Surface narrow(2, 3);
    EXPECT_TRUE(BitBlt(narrow.dc, -1, -1, 10, 3, from.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(narrow.picture(), "#.\n"
                                "..\n"
                                "..\n");
}

} // namespace
