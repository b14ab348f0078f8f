// The main window: its procedure, the instance handle that start-up stores
// for it, and the size of its frame around the client area.
#ifndef SCRIBBLET_APP_MAIN_WINDOW_H
#define SCRIBBLET_APP_MAIN_WINDOW_H

#include "platform/platform.h"

// How much larger the window rectangle is than the client rectangle: the
// caption, the borders, the menu bar and both scroll bars.
struct FrameMetrics {
    LONG width;
    LONG height;
};

// The program's module instance, stored by WinMain before the main window is
// created; dialogs, the save dialog and resource loading go through it.
extern HINSTANCE g_instance;

// Measured during WM_CREATE and again on every theme change.
extern FrameMetrics g_frame;

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wParam,
                                  LPARAM lParam);

#endif // SCRIBBLET_APP_MAIN_WINDOW_H
