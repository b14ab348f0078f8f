// The window system: every window and its menu, the thread's message queue,
// the update regions and backing surfaces, the capture and the toolkit, kept
// in one place. Each thing that happens to a window is one entry here; the
// Windows calls of this folder look a handle up once and call in, and the
// core calls out only through window procedures and peers (window_peer.h).
//
// Everything here runs on the program's one thread.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_SYSTEM_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_SYSTEM_H

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles/handle_table.h"
#include "platform/winsys/window_record.h"

namespace scribblet::winsys {

// A queued input message; a key's with the character that it makes.
struct InputEvent {
    MSG message{};
    std::string text;
};

// How a change of the window rectangle is told to the procedure.
enum class SizeNotice {
    send,        // WM_SIZE sent at once (the program asked for the change)
    system_send, // WM_SIZE delivered by the next GetMessageA (the user did it)
};

class WindowSystem {
public:
    // ---- Windows ----------------------------------------------------------

    // The live window behind a handle; nullptr for a null, stale or foreign
    // one.
    Window *find(HWND hwnd) const
    {
        return windows_.lookup(hwnd);
    }
    // Every live window, in creation order.
    const std::vector<HWND> &windows() const
    {
        return order_;
    }
    // Makes a window of a filled-in record at the rectangle asked for and
    // runs its creation; the new handle, or NULL when the procedure refused
    // it (it is destroyed then).
    HWND create(std::unique_ptr<Window> record, CREATESTRUCTA &cs);
    // Destroys a window, the windows it owns and its children.
    void destroy(Window &w);
    // Shows or hides a window.
    void show(Window &w, bool visible);
    // Enables or disables a window for input; true when it was disabled.
    bool enable(Window &w, bool enable);
    bool takes_input(HWND hwnd) const;
    // The top-level window that a live window belongs to (itself for a
    // top-level one).
    HWND top_level(HWND hwnd) const;

    // ---- Places and sizes ---------------------------------------------------

    // The screen's work area and the whole screen (a 1024 x 768 screen
    // without a toolkit).
    RECT work_area() const;
    RECT screen_area() const;
    // The client rectangle that a window rectangle leaves, less the frame.
    RECT client_rect_for(const Window &w, const RECT &window_rect) const;
    // A size kept within the window's tracking sizes, as Windows keeps it
    // when a window is created or sized (WM_GETMINMAXINFO tells them).
    POINT size_within_track(HWND hwnd, POINT size);
    // A new rectangle for the window, as its procedure (told with
    // WM_WINDOWPOSCHANGING) lets it be; flags SWP_NOSIZE or 0.
    RECT position_changing(HWND hwnd, const RECT &proposed, UINT flags);
    // Gives the window its new rectangle: the client rectangle follows, the
    // window is invalidated as its class asks, and WM_SIZE tells the
    // procedure when the client size or the size kind changed. The peer is
    // moved only when apply_to_peer is set.
    void move(Window &w, const RECT &window_rect, int size_kind,
              SizeNotice notice, bool apply_to_peer);
    // Asks the procedure for the sizes the user may drag a top-level window
    // between (WM_GETMINMAXINFO, and WM_SIZING for a border dragged far
    // out), and hands them to the peer.
    void refresh_size_limits(HWND hwnd);
    // The user (or the window manager) moved or sized the window.
    void moved_by_user(HWND hwnd, const RECT &window_rect, int size_kind);
    // The toolkit's frame changed (a new theme or font).
    void frame_changed(HWND hwnd);

    // ---- Painting -----------------------------------------------------------

    // Adds to the update region (its bounding rectangle), clipped to the
    // client area.
    void invalidate(Window &w, const RECT &rect, bool erase);
    void validate(Window &w);
    // BeginPaint: the update region handed out and validated, the
    // background erased first when asked. NULL without a device context.
    HDC begin_paint(Window &w, PAINTSTRUCT &paint);

    // ---- Messages -----------------------------------------------------------

    // Runs the window's procedure; 0 for a window that is not live.
    LRESULT send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void post_quit(int code);
    // Queues input for a window in the order the user made it; dropped for
    // a window that takes no input.
    void add_input(InputEvent event);
    // Queues a message for the procedure to get inside the next
    // GetMessageA; then, when given, runs afterwards.
    void add_system_send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                         void (*then)(HWND) = nullptr);
    // GetMessageA: the next message in Windows' order, waiting for one.
    // FALSE for WM_QUIT, -1 when nothing can ever come (no toolkit).
    BOOL get_message(MSG *msg);
    // While a modal loop runs, its hook is called whenever the queue has
    // run empty, before get_message waits (Windows' WM_ENTERIDLE moment);
    // the innermost loop's only.
    void push_idle_hook(const std::function<void()> *hook)
    {
        idle_hooks_.push_back(hook);
    }
    void pop_idle_hook()
    {
        idle_hooks_.pop_back();
    }
    // The last key message taken, with the character it makes (Windows'
    // keyboard state for TranslateMessage).
    const InputEvent &last_key() const
    {
        return last_key_;
    }

    // ---- Capture and cursor -------------------------------------------------

    HWND capture() const;
    // Gives the capture to the window; the window that held it before.
    HWND set_capture(Window &w);
    void release_capture();
    void show_cursor(HCURSOR cursor) const;

    // ---- Menus --------------------------------------------------------------

    MenuRecord *menu(HMENU menu) const
    {
        return menus_.lookup(menu);
    }

    // ---- The toolkit --------------------------------------------------------

    void install(const Toolkit &toolkit);
    void uninstall();

private:
    bool run_creation(HWND hwnd, RECT asked, CREATESTRUCTA &cs);
    void destroy_tree(HWND hwnd);
    MINMAXINFO min_max(HWND hwnd);
    void attach_class_menu(Window &w);
    bool take_ready(MSG *msg, bool *quit);
    bool take_queued(MSG *msg, bool *quit);
    bool make_paint_message(MSG *msg) const;
    void deliver_system_sends();

    HandleTable<Window, HWND> windows_{HandleKind::window};
    std::vector<HWND> order_;
    HandleTable<MenuRecord, HMENU> menus_{HandleKind::menu};
    // The thread's message queue: what was posted, the input the user made,
    // the messages the system sends while nobody reads the queue (each with
    // what runs once the procedure has handled it), and the quit message.
    std::deque<MSG> posted_;
    std::deque<InputEvent> input_;
    std::deque<std::pair<MSG, void (*)(HWND)>> system_sends_;
    std::optional<WPARAM> quit_;
    InputEvent last_key_;
    std::vector<const std::function<void()> *> idle_hooks_;
    HWND capture_ = nullptr;
    std::optional<Toolkit> toolkit_;
};

// The one window system of the process.
WindowSystem &window_system();

// The WM_SYSCOMMAND of the close box (Windows' SC_CLOSE).
inline constexpr WPARAM system_command_close = 0xF060;

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_SYSTEM_H
