// The update region and the backing surface. Private to the window system.
#ifndef SCRIBBLET_PLATFORM_WINSYS_PAINTING_H
#define SCRIBBLET_PLATFORM_WINSYS_PAINTING_H

#include "platform/platform.h"

namespace scribblet::winsys {

// The client area changed size (it was old_client): the backing surface
// follows, keeping what it showed, and the window is invalidated as its
// class asks (all of it with CS_HREDRAW or CS_VREDRAW, else what is new).
void client_resized(HWND hwnd, const RECT &old_client);

// Frees the backing surface of a window being destroyed.
void release_surface(HWND hwnd);

// Makes the window's whole client area invalid (what showing it does).
void invalidate_all(HWND hwnd);

// Empties the update region without painting (DefWindowProcA's WM_PAINT).
void validate_all(HWND hwnd);

// DefWindowProcA's WM_ERASEBKGND: fills the part of the client area being
// painted with the class background. Nonzero when it erased.
LRESULT default_erase(HWND hwnd, HDC dc);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_PAINTING_H
