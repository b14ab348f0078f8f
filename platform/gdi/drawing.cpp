// Brushes, rectangle fills and copies between surfaces.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/gdi/objects.h"
#include "platform/gdi/pixels.h"

using namespace scribblet;
using namespace scribblet::gdi;

namespace {

// A rectangle of pixels known to lie on its bitmap.
struct Area {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
    bool empty() const { return width <= 0 || height <= 0; }
};

// Empty when the rectangle is empty, inverted or off the bitmap.
Area clip_to(const RECT &rect, const Bitmap &bitmap) {
    const LONG left = std::max<LONG>(rect.left, 0);
    const LONG top = std::max<LONG>(rect.top, 0);
    const LONG right = std::min<LONG>(rect.right, bitmap.width);
    const LONG bottom = std::min<LONG>(rect.bottom, bitmap.height);
    if (right <= left || bottom <= top)
        return Area{0, 0, 0, 0};
    return Area{left, top, right - left, bottom - top};
}

BYTE *row_at(Bitmap &bitmap, LONG x, LONG y) {
    return bitmap.bits.data() + static_cast<std::size_t>(y) * bitmap.stride +
           static_cast<std::size_t>(x) * 4;
}

void fill_xrgb(Bitmap &bitmap, const Area &area, COLORREF colour) {
    const std::uint32_t value = xrgb_of(colour);
    BYTE *first = row_at(bitmap, area.left, area.top);
    for (LONG x = 0; x < area.width; ++x)
        std::memcpy(first + static_cast<std::size_t>(x) * 4, &value, 4);
    const std::size_t bytes = static_cast<std::size_t>(area.width) * 4;
    for (LONG y = 1; y < area.height; ++y)
        std::memcpy(row_at(bitmap, area.left, area.top + y), first, bytes);
}

void fill_by_pixel(Bitmap &bitmap, const Area &area, COLORREF colour) {
    for (LONG y = area.top; y < area.top + area.height; ++y)
        for (LONG x = area.left; x < area.left + area.width; ++x)
            set_pixel_colour(bitmap, x, y, colour);
}

// Where a copy writes and reads, and how much: all of it on both bitmaps.
struct Copy {
    LONG to_x, to_y, from_x, from_y, width, height;
    bool empty() const { return width <= 0 || height <= 0; }
};

// Moves the copy's corner right and down past what lies off either bitmap
// at the top or left, then trims the size to both. Works in 64 bits, so no
// arguments can overflow.
Copy clip_copy(const Copy &asked, const Bitmap &to, const Bitmap &from) {
    using Wide = std::int64_t;
    const Wide skip_x = std::max<Wide>({0, -Wide{asked.to_x}, -Wide{asked.from_x}});
    const Wide skip_y = std::max<Wide>({0, -Wide{asked.to_y}, -Wide{asked.from_y}});
    const Wide width = std::min<Wide>({asked.width - skip_x,
                                       to.width - (asked.to_x + skip_x),
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
                static_cast<LONG>(width), static_cast<LONG>(height)};
}

// 32-bit to 32-bit by rows; rows in an order that is safe when both are
// the same bitmap.
void copy_xrgb(Bitmap &to, Bitmap &from, const Copy &copy) {
    const std::size_t bytes = static_cast<std::size_t>(copy.width) * 4;
    const bool upward = &to == &from && copy.to_y > copy.from_y;
    for (LONG i = 0; i < copy.height; ++i) {
        const LONG row = upward ? copy.height - 1 - i : i;
        std::memmove(row_at(to, copy.to_x, copy.to_y + row),
                     row_at(from, copy.from_x, copy.from_y + row), bytes);
    }
}

// Any formats, pixel by pixel through colours (monochrome: black and white),
// walking away from the overlap when both are the same bitmap.
void copy_by_pixel(Bitmap &to, const Bitmap &from, const Copy &copy) {
    const bool same = &to == &from;
    const bool backward_x = same && copy.to_x > copy.from_x;
    const bool backward_y = same && copy.to_y > copy.from_y;
    for (LONG j = 0; j < copy.height; ++j) {
        const LONG y = backward_y ? copy.height - 1 - j : j;
        for (LONG i = 0; i < copy.width; ++i) {
            const LONG x = backward_x ? copy.width - 1 - i : i;
            set_pixel_colour(to, copy.to_x + x, copy.to_y + y,
                             pixel_colour(from, copy.from_x + x,
                                          copy.from_y + y));
        }
    }
}

} // namespace

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    try {
        auto brush = std::make_unique<Brush>();
        brush->colour = color & 0x00FFFFFF;
        return objects().brushes.add(std::move(brush));
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

// Brushes and bitmaps. A bitmap selected into a DC is refused (FALSE), as
// Windows documents; the stock bitmap is not deleted, but that succeeds.
BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    Objects &all = objects();
    if (all.brushes.remove(ho))
        return TRUE;
    const Bitmap *bitmap = all.bitmaps.lookup(ho);
    if (!bitmap || bitmap->selected_into)
        return FALSE;
    if (!bitmap->stock)
        all.bitmaps.remove(ho);
    return TRUE;
}

// Right and bottom exclusive, clipped to the DC's bitmap. On a DC without a
// bitmap of ours (the screen) everything is clipped away.
int WINAPI FillRect(HDC hDC, const RECT *lprc, HBRUSH hbr) {
    const Brush *brush = objects().brushes.lookup(hbr);
    if (!objects().dcs.lookup(hDC) || !lprc || !brush)
        return 0;
    Bitmap *bitmap = surface_of(hDC);
    if (!bitmap)
        return 1;
    const Area area = clip_to(*lprc, *bitmap);
    if (area.empty())
        return 1;
    if (bitmap->format == PixelFormat::xrgb32)
        fill_xrgb(*bitmap, area, brush->colour);
    else
        fill_by_pixel(*bitmap, area, brush->colour);
    return 1;
}

// SRCCOPY only (other raster operations fail). The copy is clipped to both
// bitmaps; a DC without a bitmap of ours (the screen) clips everything.
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1,
                   int y1, DWORD rop) {
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
    if (to->format == PixelFormat::xrgb32 && from->format == PixelFormat::xrgb32)
        copy_xrgb(*to, *from, copy);
    else
        copy_by_pixel(*to, *from, copy);
    return TRUE;
}
