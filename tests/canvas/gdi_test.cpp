#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/platform.h"

namespace {

// A 32-bit bitmap selected into a memory DC made against the screen.
struct Surface {
    HDC screen = GetDC(GetDesktopWindow());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap;
    HGDIOBJ previous;

    Surface(int width, int height)
        : bitmap(CreateCompatibleBitmap(screen, width, height)),
          previous(SelectObject(dc, bitmap)) {}
    ~Surface() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(GetDesktopWindow(), screen);
    }

    std::vector<BYTE> bytes() const {
        std::vector<BYTE> out(static_cast<size_t>(GetBitmapBits(bitmap, 0, nullptr)));
        GetBitmapBits(bitmap, static_cast<LONG>(out.size()), out.data());
        return out;
    }
    void set_all(BYTE value) {
        std::vector<BYTE> in(bytes().size(), value);
        SetBitmapBits(bitmap, static_cast<DWORD>(in.size()), in.data());
    }
    // The blue, green and red bytes of the pixel at (x, y) as a COLORREF.
    COLORREF at(int x, int y) const {
        scribblet::gdi::PixelView view{};
        scribblet::gdi::bitmap_pixels(bitmap, &view);
        const BYTE *p = view.pixels + static_cast<size_t>(y) * view.stride +
                        static_cast<size_t>(x) * 4;
        return RGB(p[2], p[1], p[0]);
    }
};

// Pixels of colour within s, as a row-major string of '#' and '.'.
std::string picture(const Surface &s, int width, int height, COLORREF colour) {
    std::string out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            out += s.at(x, y) == colour ? '#' : '.';
        out += '\n';
    }
    return out;
}

// The bitmap that a new memory DC starts with.
HGDIOBJ stock_of_new_dc() {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP probe = CreateCompatibleBitmap(screen, 1, 1);
    const HGDIOBJ stock = SelectObject(dc, probe);
    SelectObject(dc, stock);
    DeleteObject(probe);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return stock;
}

} // namespace

TEST(GdiSurface, ScreenBitmapHasFourBytesAPixelTopRowFirst) {
    Surface s(3, 2);
    ASSERT_NE(s.bitmap, nullptr);
    EXPECT_EQ(GetBitmapBits(s.bitmap, 0, nullptr), 3 * 2 * 4);

    std::vector<BYTE> in(24);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<BYTE>(i);
    EXPECT_EQ(SetBitmapBits(s.bitmap, 24, in.data()), 24);
    EXPECT_EQ(s.bytes(), in);
    // The pixel (1, 1) is the fifth: bytes 16..19 are blue, green, red, spare.
    EXPECT_EQ(s.at(1, 1), RGB(18, 17, 16));
}

TEST(GdiSurface, BitCountsAreClippedToTheBitmap) {
    Surface s(2, 2);
    std::vector<BYTE> big(100, 0xAB);
    EXPECT_EQ(SetBitmapBits(s.bitmap, 100, big.data()), 16);
    std::vector<BYTE> out(100, 0);
    EXPECT_EQ(GetBitmapBits(s.bitmap, 100, out.data()), 16);
    EXPECT_EQ(out[15], 0xAB);
    EXPECT_EQ(out[16], 0);

    std::vector<BYTE> few(5, 0x11);
    EXPECT_EQ(SetBitmapBits(s.bitmap, 5, few.data()), 5);
    std::vector<BYTE> part(3, 0);
    EXPECT_EQ(GetBitmapBits(s.bitmap, 3, part.data()), 3);
    EXPECT_EQ(part, std::vector<BYTE>(3, 0x11));
    EXPECT_EQ(s.bytes()[5], 0xAB);
    EXPECT_EQ(GetBitmapBits(s.bitmap, -1, out.data()), 0);
}

TEST(GdiSurface, MemoryDcStartsWithOneMonochromeBitmapThatComesBack) {
    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    // A bitmap compatible with a fresh memory DC is monochrome: rows of
    // 1 bit a pixel padded to 16 bits.
    const HBITMAP mono = CreateCompatibleBitmap(dc, 17, 3);
    EXPECT_EQ(GetBitmapBits(mono, 0, nullptr), 4 * 3);

    const HGDIOBJ original = SelectObject(dc, mono);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(GetBitmapBits(original, 0, nullptr), 2);
    EXPECT_EQ(original, stock_of_new_dc()) << "every DC starts with the same";
    EXPECT_EQ(SelectObject(dc, original), mono);
    EXPECT_EQ(SelectObject(dc, original), original);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiSurface, ZeroSizeGivesTheSharedStockBitmapAndBadSizesFail) {
    const HDC screen = GetDC(GetDesktopWindow());
    const HGDIOBJ stock = stock_of_new_dc();
    EXPECT_EQ(CreateCompatibleBitmap(screen, 0, 5), stock);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 5, 0), stock);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_EQ(GetBitmapBits(stock, 0, nullptr), 2) << "stock survives deletion";

    EXPECT_EQ(CreateCompatibleBitmap(screen, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 5, -1), nullptr);
    // 23171 x 23171 x 4 is just above 2147483647 bytes; 65536 x 65536 x 4
    // overflows 32 bits entirely.
    EXPECT_EQ(CreateCompatibleBitmap(screen, 23171, 23171), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 65536, 65536), nullptr);
    ReleaseDC(GetDesktopWindow(), screen);
}

TEST(GdiSurface, SelectedBitmapCannotBeDeletedOrShared) {
    const HDC screen = GetDC(nullptr);
    const HDC first = CreateCompatibleDC(screen);
    const HDC second = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
    const HGDIOBJ stock = SelectObject(first, bitmap);
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(scribblet::gdi::selected_bitmap(first), bitmap);

    EXPECT_TRUE(DeleteDC(first)); // lets go of the bitmap
    EXPECT_EQ(SelectObject(second, bitmap), stock);
    EXPECT_EQ(SelectObject(second, stock), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(GetBitmapBits(bitmap, 0, nullptr), 0);
    DeleteDC(second);
    ReleaseDC(nullptr, screen);
}

TEST(GdiSurface, DeadAndWrongKindHandlesFailSafely) {
    Surface s(2, 2);
    const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const RECT all = {0, 0, 2, 2};

    // Wrong kinds: a brush where a DC or bitmap belongs, and so on.
    EXPECT_EQ(FillRect(reinterpret_cast<HDC>(brush), &all, brush), 0);
    EXPECT_EQ(FillRect(s.dc, &all, s.bitmap), 0);
    EXPECT_EQ(SelectObject(s.dc, brush), nullptr);
    EXPECT_EQ(GetBitmapBits(brush, 4, nullptr), 0);
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(s.bitmap)));
    EXPECT_FALSE(BitBlt(s.dc, 0, 0, 1, 1, reinterpret_cast<HDC>(brush), 0, 0,
                        SRCCOPY));
    EXPECT_EQ(CreateCompatibleBitmap(reinterpret_cast<HDC>(brush), 1, 1),
              nullptr);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(brush)), nullptr);

    // Null and deleted handles.
    EXPECT_EQ(FillRect(nullptr, &all, brush), 0);
    EXPECT_EQ(FillRect(s.dc, nullptr, brush), 0);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(FillRect(s.dc, &all, brush), 0);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(SetBitmapBits(nullptr, 4, &all), 0);

    const HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(DeleteDC(gone));
    EXPECT_EQ(SelectObject(gone, s.bitmap), nullptr);
    EXPECT_EQ(scribblet::gdi::selected_bitmap(gone), nullptr);
}

TEST(GdiSurface, ScreenDcIsReleasedNotDeletedAndHoldsNoBitmap) {
    const HDC screen = GetDC(GetDesktopWindow());
    ASSERT_NE(screen, nullptr);
    const HDC also_screen = GetDC(nullptr);
    ASSERT_NE(also_screen, nullptr);
    Surface s(1, 1);
    EXPECT_EQ(SelectObject(screen, s.bitmap), nullptr);
    EXPECT_FALSE(DeleteDC(screen));
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), s.dc), 0);
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), screen), 1);
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), screen), 0);
    EXPECT_EQ(ReleaseDC(nullptr, also_screen), 1);
}

TEST(GdiSurface, OtherWindowsDcsComeFromTheWindowSystem) {
    const HWND window = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(ReleaseDC(window, nullptr), 0);

    static HWND asked_for;
    static HDC handed_out;
    handed_out = CreateCompatibleDC(nullptr);
    scribblet::gdi::set_window_dc_hooks(
        {[](HWND w) { asked_for = w; return handed_out; },
         [](HWND w, HDC dc) { return w == asked_for && dc == handed_out ? 1 : 0; }});
    EXPECT_EQ(GetDC(window), handed_out);
    EXPECT_EQ(asked_for, window);
    EXPECT_EQ(ReleaseDC(window, handed_out), 1);
    scribblet::gdi::set_window_dc_hooks({nullptr, nullptr});
    DeleteDC(handed_out);
}

TEST(GdiFill, ExclusiveEdgesClippingAndEmptyRectangles) {
    Surface s(6, 4);
    s.set_all(0);
    const COLORREF red = RGB(255, 0, 0);
    const HBRUSH brush = CreateSolidBrush(red);
    const RECT inside = {1, 1, 3, 2};
    const RECT off_the_corner = {-5, -5, 1, 1};
    const RECT past_the_edge = {5, 3, 100, 100};
    const RECT wholly_off = {6, 0, 10, 4};
    const RECT inverted = {4, 3, 2, 1};
    const RECT empty = {2, 2, 2, 3};
    for (const RECT &r : {inside, off_the_corner, past_the_edge, wholly_off,
                          inverted, empty})
        EXPECT_EQ(FillRect(s.dc, &r, brush), 1);
    EXPECT_EQ(picture(s, 6, 4, red), "#.....\n"
                                     ".##...\n"
                                     "......\n"
                                     ".....#\n");
    // Only blue, green and red are set; the spare byte is opaque.
    const std::vector<BYTE> bytes = s.bytes();
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0xFF);
    DeleteObject(brush);
}

TEST(GdiFill, FillsTheSelectedBitmapOnly) {
    Surface s(2, 1);
    s.set_all(0);
    const HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    const RECT all = {0, 0, 2, 1};
    SelectObject(s.dc, s.previous);
    EXPECT_EQ(FillRect(s.dc, &all, brush), 1); // onto the 1 x 1 stock bitmap
    EXPECT_EQ(s.bytes(), std::vector<BYTE>(8, 0));
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(FillRect(screen, &all, brush), 1); // nothing of ours to paint
    ReleaseDC(nullptr, screen);
    SelectObject(s.dc, s.bitmap);
    DeleteObject(brush);
}

TEST(GdiCopy, CopiesClippedToBothSurfaces) {
    Surface from(4, 4);
    Surface to(3, 3);
    from.set_all(0);
    to.set_all(0);
    const COLORREF green = RGB(0, 255, 0);
    const HBRUSH brush = CreateSolidBrush(green);
    const RECT mark = {0, 0, 2, 1}; // pixels (0,0) and (1,0)
    FillRect(from.dc, &mark, brush);
    const RECT corner = {3, 3, 4, 4};
    FillRect(from.dc, &corner, brush);

    // Source starts at (-1, 0): the first column is off it and is skipped.
    EXPECT_TRUE(BitBlt(to.dc, 0, 1, 10, 10, from.dc, -1, 0, SRCCOPY));
    EXPECT_EQ(picture(to, 3, 3, green), "...\n"
                                        ".##\n"
                                        "...\n");
    // Destination off to the top left: the source's corner lands at (0, 0).
    to.set_all(0);
    EXPECT_TRUE(BitBlt(to.dc, -3, -3, 4, 4, from.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(picture(to, 3, 3, green), "#..\n"
                                        "...\n"
                                        "...\n");
    EXPECT_FALSE(BitBlt(to.dc, 0, 0, 1, 1, from.dc, 0, 0, 0x00EE0086));
    EXPECT_TRUE(BitBlt(to.dc, 0, 0, -1, 1, from.dc, 0, 0, SRCCOPY));
    DeleteObject(brush);
}

TEST(GdiCopy, OverlappingCopyWithinOneSurface) {
    Surface s(3, 3);
    std::vector<BYTE> in(36);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<BYTE>(i);
    SetBitmapBits(s.bitmap, 36, in.data());
    // Down and right by one: each pixel must be the original, not a copy of
    // a copy.
    EXPECT_TRUE(BitBlt(s.dc, 1, 1, 2, 2, s.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(s.at(1, 1), RGB(2, 1, 0));
    EXPECT_EQ(s.at(2, 2), RGB(18, 17, 16));
    EXPECT_EQ(s.at(2, 1), RGB(6, 5, 4));
    // And back up.
    EXPECT_TRUE(BitBlt(s.dc, 0, 0, 2, 2, s.dc, 1, 1, SRCCOPY));
    EXPECT_EQ(s.at(0, 0), RGB(2, 1, 0));
    EXPECT_EQ(s.at(1, 1), RGB(18, 17, 16));
}

TEST(GdiCopy, MonochromeAndColourConvertThroughBlackAndWhite) {
    Surface colour(3, 1);
    colour.set_all(0);
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT first = {0, 0, 1, 1};
    const RECT second = {1, 0, 2, 1};
    FillRect(colour.dc, &first, white);
    FillRect(colour.dc, &second, red);

    const HDC mono_dc = CreateCompatibleDC(nullptr);
    const HBITMAP mono = CreateCompatibleBitmap(mono_dc, 3, 1);
    const HGDIOBJ stock = SelectObject(mono_dc, mono);
    EXPECT_TRUE(BitBlt(mono_dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY));
    BYTE bits[2] = {};
    EXPECT_EQ(GetBitmapBits(mono, 2, bits), 2);
    EXPECT_EQ(bits[0], 0x80) << "only white becomes a set bit";

    colour.set_all(0x40);
    EXPECT_TRUE(BitBlt(colour.dc, 0, 0, 3, 1, mono_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(colour.at(1, 0), RGB(0, 0, 0));
    SelectObject(mono_dc, stock);
    DeleteObject(mono);
    DeleteDC(mono_dc);
    DeleteObject(white);
    DeleteObject(red);
}

TEST(GdiSurface, PixelViewMatchesTheBitmapBits) {
    Surface s(5, 2);
    std::vector<BYTE> in(40);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<BYTE>(3 * i);
    SetBitmapBits(s.bitmap, 40, in.data());
    scribblet::gdi::PixelView view{};
    ASSERT_TRUE(scribblet::gdi::bitmap_pixels(s.bitmap, &view));
    EXPECT_EQ(view.width, 5);
    EXPECT_EQ(view.height, 2);
    EXPECT_EQ(view.stride, 20u);
    EXPECT_EQ(std::vector<BYTE>(view.pixels, view.pixels + 40), in);
    EXPECT_FALSE(scribblet::gdi::bitmap_pixels(s.previous, &view));
}
