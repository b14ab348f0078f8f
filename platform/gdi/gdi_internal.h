// What the rest of the platform layer may know about drawing surfaces beyond
// the Windows API: direct access to a bitmap's pixels (to present a window's
// backing surface with Qt), which bitmap a device context has selected, and
// a hook through which the window system hands out device contexts of its
// windows from GetDC / ReleaseDC.
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

// The bitmap selected into a memory device context; NULL for an unknown
// handle or a device context without one (a screen or window context).
// Nothing of the layer calls it: it is GetCurrentObject(dc, OBJ_BITMAP),
// with which the canvas tests check the program's selections.
HBITMAP selected_bitmap(HDC dc);

// GetDC(window) and ReleaseDC(window, dc) for windows other than the desktop
// go to these functions once set (until then they fail: NULL and 0).
struct WindowDcHooks {
    HDC (*get)(HWND window);
    int (*release)(HWND window, HDC dc);
};
void set_window_dc_hooks(WindowDcHooks hooks);

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_GDI_INTERNAL_H
