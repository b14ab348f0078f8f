// The main window's module-level frame size, declared for the tests that
// check the size limit against it; the program reaches it only inside the
// main window's procedure.
#ifndef SCRIBBLET_APP_MAIN_WINDOW_TEST_SUPPORT_H
#define SCRIBBLET_APP_MAIN_WINDOW_TEST_SUPPORT_H

#include "platform/platform.h"

// How much larger the window rectangle is than the client rectangle: the
// caption, the borders, the menu bar and both scroll bars.
struct FrameMetrics {
    LONG width;
    LONG height;
};

// Measured during WM_CREATE and again on every theme change.
extern FrameMetrics g_frame;

#endif // SCRIBBLET_APP_MAIN_WINDOW_TEST_SUPPORT_H
