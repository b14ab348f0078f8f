// The canvas: the one picture the program edits, a fixed-size raster of
// 32-bit pixels (blue, green, red, one spare byte; top row first) kept in an
// off-screen drawing surface, plus the pen tools and stroke state that share
// it (pen.h, stroke.h).
#ifndef SCRIBBLET_CANVAS_CANVAS_H
#define SCRIBBLET_CANVAS_CANVAS_H

#include "platform/platform.h"

typedef struct Canvas {
    LONG width; // in pixels; 0 until the canvas is created
    LONG height;
    HDC dc;           // memory device context of the surface
    HBITMAP bitmap;   // the pixels; selected into dc only while in use
    HGDIOBJ previous; // what dc held before the bitmap was selected
} Canvas;

extern Canvas g_canvas;

// The largest pixel store we make, in bytes: width x height x 4 must not
// exceed this, since the surface calls count bytes in 32 bits.
#define CANVAS_MAX_BYTES 2147483647

// Makes the surface, width x height pixels, every byte 0xFF (white), and
// sets g_canvas. Returns FALSE and changes nothing when either size is
// negative, when width x height x 4 exceeds CANVAS_MAX_BYTES, or when the
// surface or the start-up buffer cannot be had. A size of 0 gives a canvas
// without pixels.
BOOL canvas_create(LONG width, LONG height);

// Selects the bitmap into the canvas's device context for a run of fills or
// copies, and puts the previous object back afterwards. Every begin is
// followed by exactly one end.
void canvas_begin_drawing(void);
void canvas_end_drawing(void);

// Fills [left, right) x [top, bottom) with brush, clipped to the canvas.
// Only between canvas_begin_drawing and canvas_end_drawing.
void canvas_fill(const RECT *area, HBRUSH brush);

// Copies area of the canvas to the same place on target (a paint device
// context), selecting the bitmap for the copy only.
void canvas_copy_to(HDC target, const RECT *area);

// A new buffer of width x height x 4 bytes holding every pixel in the
// canvas's layout, or NULL when it cannot be allocated. The caller frees it
// with free(). For a canvas without pixels the buffer is a valid, empty
// allocation (still to be freed).
BYTE *canvas_read_out(void);

// Byte count of the canvas's pixels (width x height x 4).
size_t canvas_byte_count(void);

#endif // SCRIBBLET_CANVAS_CANVAS_H
