// A window's backing surface: the 32-bit bitmap of the client area's size
// that BeginPaint's device context draws on and that the toolkit shows.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_SURFACE_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_SURFACE_H

#include "platform/platform.h"
#include "platform/winsys/window_peer.h"

namespace scribblet::winsys {

class WindowSurface {
public:
    WindowSurface() = default;
    ~WindowSurface();
    WindowSurface(const WindowSurface &) = delete;
    WindowSurface &operator=(const WindowSurface &) = delete;

    // The device context drawing on a surface of this size, made anew when
    // the size changed (its pixels then start black: the window is
    // repainted whole after a resize). NULL when no device context can be
    // had; with a size of 0, or without memory for the pixels, the device
    // context draws nothing.
    HDC fit(LONG width, LONG height);
    // Its pixels; none before the first fit().
    SurfaceView pixels() const;

private:
    void drop_bitmap();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
};

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_SURFACE_H
