// Window rectangles, sizes and the size limits. Private to the window system.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_GEOMETRY_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_GEOMETRY_H

#include "platform/platform.h"
#include "platform/winsys/window_record.h"

namespace scribblet::winsys {

// The largest size a window may be given (Qt's limit for a widget).
inline constexpr LONG unlimited_size = 16777215;

// The screen's work area, and the whole screen (all monitors), in screen
// coordinates (a 1024 x 768 screen without a toolkit).
RECT work_area();
RECT screen_area();

// The client rectangle for a window rectangle, in the same coordinates:
// the window rectangle less the toolkit's frame (menu bar, scroll bars).
RECT client_rect_for(const Window &window, const RECT &window_rect);

// The MINMAXINFO that the system fills in before WM_GETMINMAXINFO, then
// what the procedure makes of it.
MINMAXINFO query_min_max(HWND hwnd);

// A size for the window kept within its tracking sizes, as Windows keeps
// it when a window is created or sized (WM_GETMINMAXINFO is sent to learn
// them); the size itself for a window that Windows leaves alone.
POINT size_within_track(HWND hwnd, POINT size);

// Tells the procedure of a change of the window rectangle about to be made
// (WM_WINDOWPOSCHANGING, with flags SWP_NOMOVE / SWP_NOSIZE for what stays)
// and returns the rectangle as the procedure, or DefWindowProcA, left it.
RECT window_pos_changing(HWND hwnd, const RECT &proposed, UINT flags);

// How a change of the window rectangle is told to the procedure.
enum class SizeNotice {
    send,        // WM_SIZE sent at once (the program asked for the change)
    system_send, // WM_SIZE delivered by the next GetMessageA (the user did it)
};

// Gives the window a new window rectangle: the client rectangle follows,
// the backing surface is resized, the window invalidated as its class asks,
// and WM_SIZE tells the procedure when the client size changed (or the
// size kind did). The peer is told only when apply_to_peer is set.
void set_window_rect(HWND hwnd, const RECT &window_rect, int size_kind,
                     SizeNotice notice, bool apply_to_peer);

// The WM_SIZE kind of the window's present state (SIZE_RESTORED,
// SIZE_MINIMIZED or SIZE_MAXIMIZED).
int size_kind_of(const Window &window);

// Asks the procedure for the size limits (WM_GETMINMAXINFO's track sizes,
// and WM_SIZING's answer to a border dragged far outwards) and hands them to
// the peer as the sizes the user may drag the window between.
void refresh_size_limits(HWND hwnd);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_GEOMETRY_H
