// Pixel formats of bitmaps.
#include "platform/gdi/pixels.h"

#include <bit>
#include <cstring>

namespace scribblet::gdi {

// 32-bit pixels are handled as whole words, blue in the low byte.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);

BYTE *row_address(Bitmap &bitmap, LONG y) {
    return bitmap.bits.data() + static_cast<std::size_t>(y) * bitmap.stride;
}

BYTE mono_mask(LONG x) {
    return static_cast<BYTE>(0x80u >> (x % 8));
}

} // namespace

std::size_t row_bytes(PixelFormat format, LONG width) {
    const auto w = static_cast<std::size_t>(width);
    if (format == PixelFormat::monochrome)
        return (w + 15) / 16 * 2;
    return w * 4;
}

std::uint32_t xrgb_of(COLORREF colour) {
    return 0xFF000000u | (std::uint32_t{GetRValue(colour)} << 16) |
           (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}

COLORREF pixel_colour(const Bitmap &bitmap, LONG x, LONG y) {
    const BYTE *row =
        bitmap.bits.data() + static_cast<std::size_t>(y) * bitmap.stride;
    if (bitmap.format == PixelFormat::monochrome)
        return (row[x / 8] & mono_mask(x)) ? white : black;
    const BYTE *pixel = row + static_cast<std::size_t>(x) * 4;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

void set_pixel_colour(Bitmap &bitmap, LONG x, LONG y, COLORREF colour) {
    BYTE *row = row_address(bitmap, y);
    if (bitmap.format == PixelFormat::monochrome) {
        if ((colour & 0xFFFFFF) == white)
            row[x / 8] = static_cast<BYTE>(row[x / 8] | mono_mask(x));
        else
            row[x / 8] = static_cast<BYTE>(row[x / 8] & ~mono_mask(x));
        return;
    }
    const std::uint32_t value = xrgb_of(colour);
    std::memcpy(row + static_cast<std::size_t>(x) * 4, &value, 4);
}

} // namespace scribblet::gdi
