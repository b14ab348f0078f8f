// The objects behind the drawing-surface handles, and the tables that hold
// them. Private to platform/gdi.
#ifndef SCRIBBLET_PLATFORM_GDI_OBJECTS_H
#define SCRIBBLET_PLATFORM_GDI_OBJECTS_H

#include <cstddef>
#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/handle_table.h"
#include "platform/platform.h"

namespace scribblet::gdi {

enum class PixelFormat {
    monochrome, // 1 bit a pixel, leftmost pixel in the high bit, rows padded to 16 bits
    xrgb32,     // blue, green, red, spare
};

struct Bitmap {
    LONG width = 0;
    LONG height = 0;
    PixelFormat format = PixelFormat::xrgb32;
    std::size_t stride = 0; // bytes a row
    std::vector<BYTE> bits;
    HDC selected_into = nullptr; // the one memory DC holding it, if any
    bool stock = false;          // shared, never selected_into, never deleted
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
    WindowDcHooks window_dc_hooks{nullptr, nullptr};
};

// The one set of tables of the process.
Objects &objects();

// The 1 x 1 monochrome bitmap that every new memory DC starts with, made on
// first use; NULL when it cannot be made.
HBITMAP stock_bitmap();

// A new bitmap of the given size and format, all bits 0; NULL for a negative
// size, a byte count above 2147483647 (the bit-copying calls count bytes in
// 32 bits) or when memory runs out. A width or height of 0 gives the stock
// bitmap, as Windows does.
HBITMAP create_bitmap(LONG width, LONG height, PixelFormat format);

// The bitmap a DC draws on: the selected bitmap of a memory DC, otherwise
// nullptr (unknown handle, screen DC).
Bitmap *surface_of(HDC dc);

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_OBJECTS_H
