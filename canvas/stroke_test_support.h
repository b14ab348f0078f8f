// The stroke engine's module-level state, declared for the tests and the
// benchmark that start a stroke or reset it between cases; the program itself
// reaches it only through the calls of canvas/stroke.h.
#ifndef SCRIBBLET_CANVAS_STROKE_TEST_SUPPORT_H
#define SCRIBBLET_CANVAS_STROKE_TEST_SUPPORT_H

#include "platform/platform.h"

typedef struct StrokeState {
    short previous_x; // where the pointer last was
    short previous_y;
    BOOL has_previous;   // 0 until the first move, then 1 for ever
    BOOL left_captured;  // the left button is down and holds the capture
    BOOL right_captured; // likewise the right button
} StrokeState;

extern StrokeState g_stroke;

#endif // SCRIBBLET_CANVAS_STROKE_TEST_SUPPORT_H
