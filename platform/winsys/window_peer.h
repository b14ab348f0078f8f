// The seam between the window system's plain C++ core and the toolkit that
// shows its top-level windows (the Qt edge). The core owns one peer per
// top-level window and tells it what changed; the toolkit reports the
// user's doings back through the functions at the end of this header. Child
// windows (a dialog's controls) have no peer: their control class shows
// them inside the parent's client area.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_PEER_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_PEER_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace scribblet::resources {
struct Menu;
}

namespace scribblet::winsys {

// What a new window's peer shows, handed to the toolkit that makes it.
struct PeerLook {
    HWND owner = nullptr; // the window it belongs to, if any
    DWORD style = 0;      // WS_ bits: the frame, its buttons, scroll bars
    std::string title;
    HICON icon = nullptr;                  // the class's icon, if any
    const resources::Menu *menu = nullptr; // the menu bar's items, if any
    // A top-level window created at CW_USEDEFAULT's place: that place, the
    // window rectangle's corner as the window is first given it.
    std::optional<POINT> default_corner;
};

// How far the client area lies inside the window rectangle: the menu bar
// above, the scroll bars right and below (nothing lies on its left).
struct FrameInsets {
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    // The frame around the client area of a window of the given outer width
    // (a menu bar may wrap onto more lines when narrow, as on Windows).
    virtual FrameInsets frame_insets(int window_width) const = 0;
    // Moves and sizes the toolkit window to the record's window rectangle.
    // The peer does not report this change back: the core made it.
    virtual void apply_geometry(const RECT &window_rect) = 0;
    // Shows the window, active, or hides it.
    virtual void set_visible(bool visible) = 0;
    virtual void set_enabled(bool enabled) = 0;
    // The smallest and the largest size the user may drag the window to.
    virtual void set_size_limits(POINT smallest, POINT largest) = 0;
    // Shows this part of the client area again from the backing surface.
    virtual void present(const RECT &client_rect) = 0;
    virtual void enable_scroll_bar(int bar, bool enable) = 0;
    // The menu's items changed state: here they are as they now stand.
    virtual void menu_changed(const resources::Menu &menu) = 0;
    virtual void set_capture(bool captured) = 0;
};

// What the core needs of the toolkit as a whole.
struct Toolkit {
    // Makes the peer of a top-level window being created.
    std::unique_ptr<WindowPeer> (*peer_for)(HWND hwnd, const PeerLook &look);
    // Handles the toolkit's pending events without waiting.
    void (*handle_pending)();
    // Handles the toolkit's events, waiting until at least one arrives.
    void (*wait_for_more)();
    // The screen's work area, and the whole screen (all monitors together),
    // in screen coordinates.
    RECT (*available_area)();
    RECT (*whole_screen)();
    // Shows this cursor (NULL: the normal arrow) over the program's windows.
    void (*show_cursor)(HCURSOR cursor);
};

// Installs the toolkit; the windows that exist already stay without peers.
void install_toolkit(const Toolkit &toolkit);

// The toolkit is going away (its application ends): every window loses its
// peer, and nothing waits in the toolkit any more. Windows still alive stay
// records without anything shown.
void uninstall_toolkit();

// Reports from the toolkit

// The user moved or resized a top-level window (or the window manager did):
// its new window rectangle, and SIZE_RESTORED, SIZE_MINIMIZED or
// SIZE_MAXIMIZED. WM_SIZE reaches the procedure from the next GetMessageA,
// as a message sent by the system.
void toolkit_window_moved(HWND hwnd, const RECT &window_rect, int size_kind);

// The style, theme or font changed: WM_THEMECHANGED is sent, as above.
void toolkit_theme_changed(HWND hwnd);

// A menu item was chosen: WM_COMMAND with its id is posted.
void toolkit_menu_command(HWND hwnd, UINT id);

// The close box was clicked: queued as input, it becomes WM_CLOSE.
void toolkit_close_requested(HWND hwnd);

// A mouse button or move over the client area (or anywhere while the
// window holds the capture): the message, its MK_ key state and packed
// client position, queued as input in the order the user made it.
void toolkit_mouse(HWND hwnd, UINT message, WPARAM keys, LPARAM position);

// A key went down: WM_KEYDOWN, or WM_SYSKEYDOWN with Alt held, and its
// virtual key are queued as input; text is the character the key makes
// (UTF-8), which TranslateMessage turns into WM_CHAR or WM_SYSCHAR.
void toolkit_key(HWND hwnd, UINT message, WPARAM virtual_key, LPARAM key_data,
                 const std::string &text);

// The pixels of the window's backing surface (none while it has none):
// rows of 32-bit pixels, top row first, stride bytes apart.
struct SurfaceView {
    const BYTE *pixels = nullptr;
    LONG width = 0;
    LONG height = 0;
    std::size_t stride = 0;
};
SurfaceView surface_of(HWND hwnd);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_PEER_H
