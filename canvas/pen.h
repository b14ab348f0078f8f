// The two pen tools, one per mouse button: a solid brush of the pen's
// colour and a size from 1 to 30. A pen of size s stamps squares of
// (2s - 1) x (2s - 1) pixels.
#ifndef SCRIBBLET_CANVAS_PEN_H
#define SCRIBBLET_CANVAS_PEN_H

#include "platform/platform.h"

typedef struct PenTool {
    HBRUSH brush; // the pen's colour lives only here
    LONG size;
} PenTool;

extern PenTool g_left_pen;
extern PenTool g_right_pen;

// The five pen colours.
#define PEN_COLOUR_RED RGB(255, 0, 0)
#define PEN_COLOUR_GREEN RGB(0, 255, 0)
#define PEN_COLOUR_BLUE RGB(0, 0, 255)
#define PEN_COLOUR_BLACK RGB(0, 0, 0)
#define PEN_COLOUR_WHITE RGB(255, 255, 255)

// Sizes: the bounds of Enlarge and Shrink, the start size, the presets.
#define PEN_SIZE_MIN 1
#define PEN_SIZE_MAX 30
#define PEN_SIZE_START 3
#define PEN_SIZE_SMALL 1
#define PEN_SIZE_MEDIUM 3
#define PEN_SIZE_LARGE 5

// Creates both brushes, the left one black first, then the right one white.
void pens_create_brushes(void);

// Replaces the pen's brush with a new one of colour, even when the colour
// is the one the pen already has.
void pen_set_colour(PenTool *pen, COLORREF colour);

// Enlarge (up to PEN_SIZE_MAX) and Shrink (down to PEN_SIZE_MIN).
void pen_enlarge(PenTool *pen);
void pen_shrink(PenTool *pen);

// Sets the size as it stands (the presets).
void pen_set_size(PenTool *pen, LONG size);

#endif // SCRIBBLET_CANVAS_PEN_H
