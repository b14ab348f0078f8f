// The canvas-size dialog (resource 137), shown once while the main window is
// created: it asks for the width and height of the drawing area.
#ifndef SCRIBBLET_APP_CANVAS_SIZE_DIALOG_H
#define SCRIBBLET_APP_CANVAS_SIZE_DIALOG_H

#include "platform/platform.h"

// Filled by the dialog: the numbers read (any size the program can hold), or
// 800 and 800 when the user cancels.
struct CanvasSizeRecord {
    DWORD width;
    DWORD height;
};

// The largest width or height the program can hold: pointer positions are
// signed 16-bit numbers.
#define CANVAS_SIZE_MAX_SIDE 32767

// The most pixels a canvas can have: as many 4-byte pixels as fit in
// CANVAS_MAX_BYTES (checked where the dialog states it).
#define CANVAS_SIZE_MAX_PIXELS 536870911

// TRUE when a canvas of width × height pixels can be held: neither side
// above CANVAS_SIZE_MAX_SIDE and width × height within
// CANVAS_SIZE_MAX_PIXELS.
BOOL canvas_size_fits(DWORD width, DWORD height);

// Runs the dialog modally, owned by `owner`, and fills `record`.
void canvas_size_ask(HWND owner, CanvasSizeRecord *record);

INT_PTR CALLBACK canvas_size_dialog_proc(HWND dialog, UINT message,
                                         WPARAM wParam, LPARAM lParam);

#endif // SCRIBBLET_APP_CANVAS_SIZE_DIALOG_H
