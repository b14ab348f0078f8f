// The pen tools: colours and sizes.
#include "canvas/pen.h"

PenTool g_left_pen = {NULL, PEN_SIZE_START};
PenTool g_right_pen = {NULL, PEN_SIZE_START};

void pens_create_brushes(void)
{
    g_left_pen.brush = CreateSolidBrush(PEN_COLOUR_BLACK);
    g_right_pen.brush = CreateSolidBrush(PEN_COLOUR_WHITE);
}

void pen_set_colour(PenTool *pen, COLORREF colour)
{
    DeleteObject(pen->brush);
    pen->brush = CreateSolidBrush(colour);
}

void pen_enlarge(PenTool *pen)
{
    if (pen->size < PEN_SIZE_MAX)
        pen->size = pen->size + 1;
}

void pen_shrink(PenTool *pen)
{
    if (pen->size > PEN_SIZE_MIN)
        pen->size = pen->size - 1;
}

void pen_set_size(PenTool *pen, LONG size)
{
    pen->size = size;
}
