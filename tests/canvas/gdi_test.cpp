#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/handles/handle_table.h"
#include "platform/platform.h"

namespace {

// A 32-bit bitmap selected into a memory DC made against the screen.
struct Surface {
    HDC screen = GetDC(GetDesktopWindow());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap;
    HGDIOBJ previous;

    Surface(int width, int height, BYTE fill = 0)
        : bitmap(CreateCompatibleBitmap(screen, width, height)),
          previous(SelectObject(dc, bitmap))
    {
        std::vector<BYTE> bytes(static_cast<size_t>(width * height * 4), fill);
        SetBitmapBits(bitmap, static_cast<DWORD>(bytes.size()), bytes.data());
    }
    ~Surface()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(GetDesktopWindow(), screen);
    }
    // Rows of '#' where the pixel's blue byte is set, '.' elsewhere.
    std::string picture() const
    {
        scribblet::gdi::PixelView view{};
        scribblet::gdi::bitmap_pixels(bitmap, &view);
        std::string out;
        for (LONG y = 0; y < view.height; ++y, out += '\n')
            for (LONG x = 0; x < view.width; ++x)
                out += view.pixels[static_cast<size_t>(y) * view.stride + x * 4]
                           ? '#'
                           : '.';
        return out;
    }
};

} // namespace

TEST(GdiHandles, TablesRefuseNullStaleForeignAndFixedHandles)
{
    using namespace scribblet;
    HandleTable<int, HWND> windows(HandleKind::window);
    HandleTable<int, HWND> menus(HandleKind::menu);
    const HWND window = windows.add(std::make_unique<int>(1));
    const HWND menu = menus.add(std::make_unique<int>(2));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(*windows.lookup(window), 1);
    EXPECT_EQ(windows.lookup(nullptr), nullptr);
    EXPECT_EQ(windows.lookup(menu), nullptr);
    EXPECT_EQ(windows.lookup(GetDesktopWindow()), nullptr);
    EXPECT_EQ(handle_kind(GetDesktopWindow()), HandleKind::window);
    EXPECT_EQ(windows.add(nullptr), nullptr);

    windows.remove(window);
    const HWND reused = windows.add(std::make_unique<int>(3));
    EXPECT_NE(reused, window);
    EXPECT_EQ(windows.lookup(window), nullptr);
    EXPECT_EQ(windows.remove(window), nullptr);
    EXPECT_EQ(*windows.lookup(reused), 3);
}

TEST(GdiSurface, BitsAreFourBytesAPixelAndCountsStopAtTheBitmap)
{
    Surface s(3, 2);
    std::vector<BYTE> in(100);
    std::iota(in.begin(), in.end(), BYTE{0});
    EXPECT_EQ(SetBitmapBits(s.bitmap, 100, in.data()), 24);
    std::vector<BYTE> out(100, 0xEE);
    EXPECT_EQ(GetBitmapBits(s.bitmap, 100, out.data()), 24);
    EXPECT_EQ(out[23], 23);
    EXPECT_EQ(out[24], 0xEE);
    scribblet::gdi::PixelView view{};
    ASSERT_TRUE(scribblet::gdi::bitmap_pixels(s.bitmap, &view));
    EXPECT_EQ(view.stride, 12u);
    EXPECT_EQ(view.pixels[1 * 12 + 2 * 4], 20); // (2, 1): top row first
    EXPECT_EQ(GetBitmapBits(s.bitmap, 5, out.data()), 5);
    EXPECT_EQ(GetBitmapBits(s.bitmap, -1, out.data()), 0);
}

TEST(GdiSurface, EmptySizesShareTheStockBitmapAndHugeOnesFail)
{
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
    const HGDIOBJ stock = SelectObject(dc, bitmap);
    // A width or height of 0 gives the bitmap a new DC starts with, which
    // outlives DeleteObject.
    EXPECT_EQ(CreateCompatibleBitmap(screen, 0, 5), stock);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 5, 0), stock);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_EQ(SelectObject(dc, stock), bitmap);
    // Over 2^31 - 1 bytes; 2^34 bytes.
    for (const auto &[width, height] :
         {std::pair{-1, 5}, {23171, 23171}, {65536, 65536}})
        EXPECT_EQ(CreateCompatibleBitmap(screen, width, height), nullptr)
            << width;
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
    EXPECT_FALSE(DeleteDC(screen)) << "released, not deleted";
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(GetDC(GetDesktopWindow()), screen) << "one screen DC, kept";
    EXPECT_TRUE(DeleteDC(dc));
}

// Edges and plain clipping are the conformance tests'; here what only this
// layer can get wrong.
TEST(GdiFill, OpaqueClippedWithoutOverflowAndOnlyOnTheSelectedBitmap)
{
    Surface s(3, 2);
    const HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    const RECT huge = {-2147483647 - 1, 1, 2147483647, 2147483647};
    EXPECT_EQ(FillRect(s.dc, &huge, brush), 1);
    const RECT huge_inverted = {2147483647, 0, -2147483647 - 1, 4};
    EXPECT_EQ(FillRect(s.dc, &huge_inverted, brush), 1);
    EXPECT_EQ(s.picture(), "...\n###\n");
    // Filled pixels are opaque: the spare byte is alpha to the toolkit.
    scribblet::gdi::PixelView view{};
    ASSERT_TRUE(scribblet::gdi::bitmap_pixels(s.bitmap, &view));
    EXPECT_EQ(view.pixels[view.stride + 3], 0xFF);
    EXPECT_EQ(view.pixels[3], 0x00);
    SelectObject(s.dc, s.previous);
    FillRect(s.dc, &huge, brush);
    SelectObject(s.dc, s.bitmap);
    EXPECT_EQ(s.picture(), "...\n###\n")
        << "a fill reaches only the selected bitmap";
    DeleteObject(brush);
}

TEST(GdiCopy, CopiesClippedToBothSurfaces)
{
    Surface from(4, 4, 0xFF);
    Surface to(3, 3);
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    const RECT hole = {1, 0, 2, 1};
    FillRect(from.dc, &hole, black);
    // Source from (-1, 0): its first column is off the source, so skipped.
    EXPECT_TRUE(BitBlt(to.dc, 0, 1, 10, 10, from.dc, -1, 0, SRCCOPY));
    EXPECT_EQ(to.picture(), "...\n"
                            ".#.\n"
                            ".##\n");
    // Destination from (-2, -2): the source's corner from (2, 2) lands at
    // the origin, and the source ends after two rows.
    Surface again(3, 3);
    EXPECT_TRUE(BitBlt(again.dc, -2, -2, 4, 5, from.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(again.picture(), "##.\n"
                               "##.\n"
                               "...\n");
    EXPECT_TRUE(BitBlt(again.dc, -2147483647 - 1, 0, 2147483647, 3, from.dc,
                       2147483647, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(again.dc, 2147483647, 0, -2147483647 - 1, 3, from.dc, 0,
                       -2147483647 - 1, SRCCOPY));
    EXPECT_EQ(again.picture(), "##.\n##.\n...\n");
    EXPECT_FALSE(BitBlt(to.dc, 0, 0, 1, 1, from.dc, 0, 0, 0x00EE0086));
    DeleteObject(black);
}
