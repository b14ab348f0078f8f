// What the rest of the platform layer may know about drawing surfaces beyond
// the Windows API: direct access to a bitmap's pixels (to present a window's
// backing surface with Qt).
#ifndef SCRIBBLET_PLATFORM_GDI_GDI_INTERNAL_H
#define SCRIBBLET_PLATFORM_GDI_GDI_INTERNAL_H

#include <cstddef>

#include "platform/platform.h"

namespace scribblet::gdi {

// The pixels of a 32-bit bitmap: height rows of width pixels, top row first,
// each pixel blue, green, red and a spare byte (0xFF after any fill), rows
// stride bytes apart. Valid until the bitmap is deleted.
struct PixelView {
    BYTE *pixels;
    LONG width;
    LONG height;
    std::size_t stride;
};

// Fills view for a live 32-bit bitmap and returns true; false (view left
// alone) for anything else, monochrome bitmaps included.
bool bitmap_pixels(HBITMAP bitmap, PixelView *view);

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_GDI_INTERNAL_H
