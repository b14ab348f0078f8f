// The objects behind the drawing-surface handles, and the tables that hold
// them. Private to platform/gdi.
#ifndef SCRIBBLET_PLATFORM_GDI_OBJECTS_H
#define SCRIBBLET_PLATFORM_GDI_OBJECTS_H

#include <cstddef>

#include "platform/gdi/bitmap_bits.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/handles/handle_table.h"
#include "platform/platform.h"

namespace scribblet::gdi {

// Every bitmap has 32 bits a pixel (blue, green, red, spare), as the
// screen's: the program makes its bitmaps against the screen only, so
// Windows' monochrome bitmaps are not made here.
struct Bitmap {
    LONG width = 0;
    LONG height = 0;
    std::size_t stride = 0; // bytes a row
    BitmapBits bits;
    bool stock = false; // shared by every memory DC, never deleted
};

struct Brush {
    COLORREF colour = 0;
};

enum class DcKind {
    memory, // draws on its selected bitmap
    screen, // the desktop's: 32 bits a pixel, nothing of it is ours to draw on
};

struct DeviceContext {
    DcKind kind = DcKind::memory;
    HBITMAP selected = nullptr; // memory DCs only
};

struct Objects {
    HandleTable<Bitmap, HGDIOBJ> bitmaps{HandleKind::bitmap};
    HandleTable<Brush, HGDIOBJ> brushes{HandleKind::brush};
    HandleTable<DeviceContext, HDC> dcs{HandleKind::dc};
    HBITMAP stock_bitmap = nullptr;
    HDC screen_dc = nullptr;
};

// The one set of tables of the process.
Objects &objects();

// The 1 x 1 bitmap that every new memory DC starts with, made on first use;
// NULL when it cannot be made. Windows' is monochrome; this one is black in
// 32 bits, which shows the same where the program copies from it (a canvas
// with no pixels).
HBITMAP stock_bitmap();

// A new bitmap of the given size, all bits 0; NULL for a negative size, a
// byte count above 2147483647 (the bit-copying calls count bytes in 32 bits)
// or when memory runs out. A width or height of 0 gives the stock bitmap, as
// Windows does.
HBITMAP create_bitmap(LONG width, LONG height);

// The bitmap a DC draws on: the selected bitmap of a memory DC, otherwise
// nullptr (unknown handle, screen DC).
Bitmap *surface_of(HDC dc);

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_OBJECTS_H
