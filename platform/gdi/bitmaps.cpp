// Bitmaps: creation and copying their bits in and out.
#include <algorithm>
#include <cstring>

#include "platform/gdi/objects.h"

using namespace scribblet::gdi;

namespace {

// How many bytes of bitmap a call asking for count bytes touches.
std::size_t bytes_to_copy(const Bitmap &bitmap, std::size_t count)
{
    return std::min(count, bitmap.bits.size());
}

} // namespace

// A width or height of 0 gives the shared 1 x 1 bitmap, as on Windows:
// deleting it is harmless, and it has no room for a picture.
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    if (!objects().dcs.lookup(hdc))
        return nullptr;
    return create_bitmap(cx, cy);
}

LONG WINAPI SetBitmapBits(HBITMAP hbm, DWORD cb, const void *pvBits)
{
    Bitmap *bitmap = objects().bitmaps.lookup(hbm);
    if (!bitmap || !pvBits)
        return 0;
    const std::size_t count = bytes_to_copy(*bitmap, cb);
    std::memcpy(bitmap->bits.data(), pvBits, count);
    return static_cast<LONG>(count);
}

LONG WINAPI GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    const Bitmap *bitmap = objects().bitmaps.lookup(hbit);
    if (!bitmap || cb < 0 || !lpvBits)
        return 0;
    const std::size_t count =
        bytes_to_copy(*bitmap, static_cast<std::size_t>(cb));
    std::memcpy(lpvBits, bitmap->bits.data(), count);
    return static_cast<LONG>(count);
}
