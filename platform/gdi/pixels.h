// Pixel formats: row sizes and reading or writing one pixel as a colour.
// Private to platform/gdi.
#ifndef SCRIBBLET_PLATFORM_GDI_PIXELS_H
#define SCRIBBLET_PLATFORM_GDI_PIXELS_H

#include <cstddef>
#include <cstdint>

#include "platform/gdi/objects.h"

namespace scribblet::gdi {

// Bytes in a row of width pixels (device-dependent bitmaps pad rows to 16
// bits, which 32-bit pixels always meet).
std::size_t row_bytes(PixelFormat format, LONG width);

// A monochrome pixel is white (bit set) exactly when the colour is white,
// the default background colour; otherwise black. Reading gives back
// white or black.
COLORREF pixel_colour(const Bitmap &bitmap, LONG x, LONG y);
void set_pixel_colour(Bitmap &bitmap, LONG x, LONG y, COLORREF colour);

// The 32-bit pixel value of colour: blue, green, red, spare 0xFF.
std::uint32_t xrgb_of(COLORREF colour);

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_PIXELS_H
