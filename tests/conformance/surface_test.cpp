// Drawing surfaces: a screen-compatible bitmap of 32-bit pixels (blue,
// green, red, spare), read and written whole, and FillRect's clipping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/conformance/conformance.h"

namespace {

// A width x height bitmap made against the desktop, selected into a
// memory DC, white at the start.
class Surface {
public:
    Surface(int width, int height)
        : width_(width), height_(height), screen_(GetDC(GetDesktopWindow())),
          dc_(CreateCompatibleDC(screen_)),
          bitmap_(CreateCompatibleBitmap(screen_, width, height)),
          previous_(SelectObject(dc_, bitmap_))
    {
        std::vector<BYTE> white(byte_count(), 0xFF);
        set(white);
    }
    ~Surface()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(GetDesktopWindow(), screen_);
    }
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;

    DWORD byte_count() const
    {
        return static_cast<DWORD>(width_ * height_ * 4);
    }
    LONG set(const std::vector<BYTE> &bytes)
    {
        return SetBitmapBits(bitmap_, static_cast<DWORD>(bytes.size()),
                             bytes.data());
    }
    std::vector<BYTE> bytes(LONG *read = nullptr) const
    {
        std::vector<BYTE> out(byte_count());
        LONG got =
            GetBitmapBits(bitmap_, static_cast<LONG>(out.size()), out.data());
        if (read)
            *read = got;
        return out;
    }
    void fill(RECT rect, COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc_, &rect, brush);
        DeleteObject(brush);
    }
    // Rows of '.' for white and '#' for any other colour; the spare byte
    // carries no meaning and is left out.
    std::string picture() const
    {
        const std::vector<BYTE> all = bytes();
        std::string out;
        for (size_t at = 0; at < all.size(); at += 4) {
            bool white =
                all[at] == 0xFF && all[at + 1] == 0xFF && all[at + 2] == 0xFF;
            out += white ? '.' : '#';
            if ((at / 4 + 1) % static_cast<size_t>(width_) == 0)
                out += '\n';
        }
        return out;
    }

private:
    int width_;
    int height_;
    HDC screen_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST(Surface, BitsGoInAndComeOutTopRowFirstAsBlueGreenRed)
{
    Surface surface(3, 2);
    std::vector<BYTE> pattern(surface.byte_count());
    for (size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<BYTE>(i * 7 + 1);
    EXPECT_EQ(surface.set(pattern), static_cast<LONG>(pattern.size()));
    LONG read = 0;
    std::vector<BYTE> back = surface.bytes(&read);
    EXPECT_EQ(read, static_cast<LONG>(pattern.size()));
    for (size_t at = 0; at < pattern.size(); at += 4)
        for (size_t c = 0; c < 3; ++c)
            EXPECT_EQ(back[at + c], pattern[at + c]) << "byte " << at + c;

    // A fill's colour lands as blue, green, red in the first pixel's bytes.
    surface.fill({0, 0, 1, 1}, RGB(0x12, 0x34, 0x56));
    back = surface.bytes();
    EXPECT_EQ(back[0], 0x56);
    EXPECT_EQ(back[1], 0x34);
    EXPECT_EQ(back[2], 0x12);
}

TEST(Surface, FillRectCoversLeftAndTopButNotRightAndBottom)
{
    Surface surface(6, 4);
    surface.fill({1, 1, 4, 3}, RGB(0, 0, 0));
    EXPECT_EQ(surface.picture(), "......\n"
                                 ".###..\n"
                                 ".###..\n"
                                 "......\n");
}

TEST(Surface, FillRectIsClippedToTheSurface)
{
    Surface surface(5, 3);
    surface.fill({-4, -9, 2, 2}, RGB(255, 0, 0));
    surface.fill({4, 2, 100000, 100000}, RGB(0, 0, 255));
    surface.fill({7, 0, 9, 3}, RGB(0, 255, 0)); // wholly off the surface
    EXPECT_EQ(surface.picture(), "##...\n"
                                 "##...\n"
                                 "....#\n");
}

TEST(Surface, EmptyRectanglesFillNothing)
{
    Surface surface(4, 4);
    surface.fill({2, 1, 2, 3}, RGB(0, 0, 0)); // no width
    surface.fill({0, 3, 4, 3}, RGB(0, 0, 0)); // no height
    EXPECT_EQ(surface.picture(), "....\n....\n....\n....\n");
}

} // namespace
