// Brushes, rectangle fills and copies between surfaces.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

#include "platform/gdi/objects.h"

using namespace scribblet;
using namespace scribblet::gdi;

// 32-bit pixels are written as whole words, blue in the low byte.
static_assert(std::endian::native == std::endian::little);

namespace {

// A rectangle of pixels known to lie on its bitmap.
struct Area {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
    bool empty() const
    {
        return width <= 0 || height <= 0;
    }
};

// Empty when the rectangle is empty, inverted or off the bitmap.
Area clip_to(const RECT &rect, const Bitmap &bitmap)
{
    const LONG left = std::max<LONG>(rect.left, 0);
    const LONG top = std::max<LONG>(rect.top, 0);
    const LONG right = std::min<LONG>(rect.right, bitmap.width);
    const LONG bottom = std::min<LONG>(rect.bottom, bitmap.height);
    if (right <= left || bottom <= top)
        return Area{0, 0, 0, 0};
    return Area{left, top, right - left, bottom - top};
}

template <typename Pixels> auto *row_at(Pixels &bitmap, LONG x, LONG y)
{
    return bitmap.bits.data() + static_cast<std::size_t>(y) * bitmap.stride +
           static_cast<std::size_t>(x) * 4;
}

// The 32-bit pixel value of colour: blue, green, red, and the spare byte
// 0xFF.
std::uint32_t xrgb_of(COLORREF colour)
{
    return 0xFF000000u | (std::uint32_t{GetRValue(colour)} << 16) |
           (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

void fill_area(Bitmap &bitmap, const Area &area, COLORREF colour)
{
    const std::uint32_t value = xrgb_of(colour);
    BYTE *first = row_at(bitmap, area.left, area.top);
    for (LONG x = 0; x < area.width; ++x)
        std::memcpy(first + static_cast<std::size_t>(x) * 4, &value, 4);
    const std::size_t bytes = static_cast<std::size_t>(area.width) * 4;
    for (LONG y = 1; y < area.height; ++y)
        std::memcpy(row_at(bitmap, area.left, area.top + y), first, bytes);
}

// Where a copy writes and reads, and how much: all of it on both bitmaps.
struct Copy {
    LONG to_x, to_y, from_x, from_y, width, height;
    bool empty() const
    {
        return width <= 0 || height <= 0;
    }
};

// Moves the copy's corner right and down past what lies off either bitmap
// at the top or left, then trims the size to both. Works in 64 bits, so no
// arguments can overflow.
Copy clip_copy(const Copy &asked, const Bitmap &to, const Bitmap &from)
{
    using Wide = std::int64_t;
    const Wide skip_x =
        std::max<Wide>({0, -Wide{asked.to_x}, -Wide{asked.from_x}});
    const Wide skip_y =
        std::max<Wide>({0, -Wide{asked.to_y}, -Wide{asked.from_y}});
    const Wide width =
        std::min<Wide>({asked.width - skip_x, to.width - (asked.to_x + skip_x),
                        from.width - (asked.from_x + skip_x)});
    const Wide height = std::min<Wide>({asked.height - skip_y,
                                        to.height - (asked.to_y + skip_y),
                                        from.height - (asked.from_y + skip_y)});
    if (width <= 0 || height <= 0)
        return Copy{0, 0, 0, 0, 0, 0};
    // Everything now lies on the bitmaps, so fits in LONG again.
    return Copy{static_cast<LONG>(asked.to_x + skip_x),
                static_cast<LONG>(asked.to_y + skip_y),
                static_cast<LONG>(asked.from_x + skip_x),
                static_cast<LONG>(asked.from_y + skip_y),
                static_cast<LONG>(width),
                static_cast<LONG>(height)};
}

// Row by row. The program never copies a surface onto itself, so the rows
// are not ordered for an overlap.
void copy_rows(Bitmap &to, const Bitmap &from, const Copy &copy)
{
    const std::size_t bytes = static_cast<std::size_t>(copy.width) * 4;
    for (LONG row = 0; row < copy.height; ++row)
        std::memmove(row_at(to, copy.to_x, copy.to_y + row),
                     row_at(from, copy.from_x, copy.from_y + row), bytes);
}

} // namespace

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    try {
        auto brush = std::make_unique<Brush>();
        brush->colour = color & 0x00FFFFFF;
        return objects().brushes.add(std::move(brush));
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

// Brushes and bitmaps. The stock bitmap is not deleted, but that succeeds.
// The program takes a bitmap out of its DC before deleting it; a DC whose
// bitmap was deleted all the same holds a stale handle and draws nothing.
BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    Objects &all = objects();
    if (all.brushes.remove(ho))
        return TRUE;
    const Bitmap *bitmap = all.bitmaps.lookup(ho);
    if (!bitmap)
        return FALSE;
    if (!bitmap->stock)
        all.bitmaps.remove(ho);
    return TRUE;
}

// Right and bottom exclusive, clipped to the DC's bitmap. On a DC without a
// bitmap of ours (the screen) everything is clipped away.
int WINAPI FillRect(HDC hDC, const RECT *lprc, HBRUSH hbr)
{
    const Brush *brush = objects().brushes.lookup(hbr);
    if (!objects().dcs.lookup(hDC) || !lprc || !brush)
        return 0;
    Bitmap *bitmap = surface_of(hDC);
    if (!bitmap)
        return 1;
    const Area area = clip_to(*lprc, *bitmap);
    if (area.empty())
        return 1;
    fill_area(*bitmap, area, brush->colour);
    return 1;
}

// SRCCOPY only (other raster operations fail). The copy is clipped to both
// bitmaps; a DC without a bitmap of ours (the screen) clips everything.
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1,
                   int y1, DWORD rop)
{
    if (rop != SRCCOPY || !objects().dcs.lookup(hdc) ||
        !objects().dcs.lookup(hdcSrc))
        return FALSE;
    Bitmap *to = surface_of(hdc);
    Bitmap *from = surface_of(hdcSrc);
    if (!to || !from)
        return TRUE;
    const Copy copy = clip_copy(Copy{x, y, x1, y1, cx, cy}, *to, *from);
    if (copy.empty())
        return TRUE;
    copy_rows(*to, *from, copy);
    return TRUE;
}
