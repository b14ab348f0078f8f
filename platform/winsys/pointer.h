// Pointer capture. Private to the window system.
#ifndef SCRIBBLET_PLATFORM_WINSYS_POINTER_H
#define SCRIBBLET_PLATFORM_WINSYS_POINTER_H

#include "platform/platform.h"

namespace scribblet::winsys {

// The window holding the capture, NULL when none does.
HWND capture_window();

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_POINTER_H
