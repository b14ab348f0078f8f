// The main window: its procedure and the instance handle that start-up
// stores for it.
#ifndef SCRIBBLET_APP_MAIN_WINDOW_H
#define SCRIBBLET_APP_MAIN_WINDOW_H

#include "platform/platform.h"

// The program's module instance, stored by WinMain before the main window is
// created; dialogs, the save dialog and resource loading go through it.
extern HINSTANCE g_instance;

LRESULT CALLBACK main_window_proc(HWND hwnd, UINT message, WPARAM wParam,
                                  LPARAM lParam);

#endif // SCRIBBLET_APP_MAIN_WINDOW_H
