// The menu commands of the main window (and the accelerators' About).
#ifndef SCRIBBLET_APP_COMMANDS_H
#define SCRIBBLET_APP_COMMANDS_H

#include "platform/platform.h"

// Carries out command `id` for the main window. FALSE when `id` names no
// command of the program, so that the caller hands the message on.
BOOL commands_run(HWND hwnd, UINT id);

#endif // SCRIBBLET_APP_COMMANDS_H
