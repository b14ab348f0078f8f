// The tables of bitmaps, brushes and device contexts, and the stock bitmap.
#include "platform/gdi/objects.h"

#include <memory>
#include <new>
#include <utility>

namespace scribblet::gdi {

namespace {

// Bits are counted in LONG by SetBitmapBits and GetBitmapBits.
constexpr std::size_t max_bitmap_bytes = 2147483647;

std::unique_ptr<Bitmap> new_bitmap(LONG width, LONG height)
{
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    const auto rows = static_cast<std::size_t>(height);
    if (rows != 0 && stride > max_bitmap_bytes / rows)
        return nullptr;
    BitmapBits bits(stride * rows);
    if (bits.size() == 0)
        return nullptr;
    try {
        auto bitmap = std::make_unique<Bitmap>();
        bitmap->width = width;
        bitmap->height = height;
        bitmap->stride = stride;
        bitmap->bits = std::move(bits);
        return bitmap;
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

} // namespace

// Never destroyed: handles stay answerable however late at exit they are used.
Objects &objects()
{
    static Objects *const the_objects = new Objects;
    return *the_objects;
}

HBITMAP stock_bitmap()
{
    Objects &all = objects();
    if (!all.stock_bitmap) {
        std::unique_ptr<Bitmap> bitmap = new_bitmap(1, 1);
        if (bitmap)
            bitmap->stock = true;
        all.stock_bitmap = all.bitmaps.add(std::move(bitmap));
    }
    return all.stock_bitmap;
}

HBITMAP create_bitmap(LONG width, LONG height)
{
    if (width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return stock_bitmap();
    return objects().bitmaps.add(new_bitmap(width, height));
}

Bitmap *surface_of(HDC dc)
{
    const DeviceContext *context = objects().dcs.lookup(dc);
    if (!context || context->kind != DcKind::memory)
        return nullptr;
    return objects().bitmaps.lookup(context->selected);
}

bool bitmap_pixels(HBITMAP handle, PixelView *view)
{
    Bitmap *bitmap = objects().bitmaps.lookup(handle);
    if (!bitmap || !view)
        return false;
    *view = PixelView{bitmap->bits.data(), bitmap->width, bitmap->height,
                      bitmap->stride};
    return true;
}

} // namespace scribblet::gdi
