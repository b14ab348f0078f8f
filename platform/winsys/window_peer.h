// The seam between the window system's plain C++ core and the toolkit that
// shows its windows (the Qt edge). The core owns one peer per window and
// tells it what changed; the toolkit reports the user's doings back through
// the functions at the end of this header.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_PEER_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_PEER_H

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
    HWND parent = nullptr; // a child window's parent
    HWND owner = nullptr;  // a top-level window's owner
    DWORD style = 0;       // WS_ bits: the frame, its buttons, scroll bars
    std::string title;
    HICON icon = nullptr;                  // the class's icon, if any
    const resources::Menu *menu = nullptr; // the menu bar's items, if any
    // A top-level window created at CW_USEDEFAULT's place: that place, the
    // window rectangle's corner as the window is first given it.
    std::optional<POINT> default_corner;
};

// How far the client area lies inside the window rectangle on each side.
struct FrameInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    // The frame around the client area of a window of the given outer width
    // (a menu bar may wrap onto more lines when narrow, as on Windows).
    virtual FrameInsets frame(int window_width) const = 0;
    // Moves and sizes the toolkit window to the record's window rectangle.
    virtual void apply_geometry(const RECT &window_rect) = 0;
    // Shows (with a ShowWindow command) or hides (SW_HIDE) the window.
    virtual void show(int command) = 0;
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
    // Makes the peer of a window being created. May return nullptr for a
    // window without a peer.
    std::unique_ptr<WindowPeer> (*make_peer)(HWND hwnd, const PeerLook &look);
    // Handles the toolkit's pending events without waiting.
    void (*poll_events)();
    // Handles the toolkit's events, waiting until at least one arrives.
    void (*wait_for_events)();
    // The screen's work area, in screen coordinates.
    RECT (*work_area)();
    // The whole screen, all monitors together, in screen coordinates.
    RECT (*screen_area)();
    // Shows this cursor (NULL: the normal arrow) over the program's windows.
    void (*set_cursor)(HCURSOR cursor);
};

// Installs the toolkit; the peers of windows that exist already stay none.
void install_toolkit(const Toolkit &toolkit);

// The toolkit is going away (its application ends): every window loses its
// peer, and nothing waits in the toolkit any more. Windows still alive stay
// records without anything shown.
void uninstall_toolkit();
const Toolkit *installed_toolkit();

// ---------------------------------------------------------------------------
// Reports from the toolkit
// ---------------------------------------------------------------------------

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

// A key went down. The message (WM_KEYDOWN or WM_SYSKEYDOWN) and its
// virtual key are queued as input; text is the
// character the key makes (UTF-8), which TranslateMessage turns into WM_CHAR
// or WM_SYSCHAR; modifiers are MK_SHIFT | MK_CONTROL, plus alt_down.
void toolkit_key(HWND hwnd, UINT message, WPARAM virtual_key, LPARAM key_data,
                 const std::string &text, bool shift, bool control, bool alt);

// The pixels of the window's backing surface (nullptr while it has none).
struct SurfaceView {
    const BYTE *pixels = nullptr;
    LONG width = 0;
    LONG height = 0;
    std::size_t stride = 0;
};
SurfaceView surface_of(HWND hwnd);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_PEER_H
