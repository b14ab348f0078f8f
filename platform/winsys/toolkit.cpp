// The toolkit's installation and its reports of what the user did.
#include <algorithm>
#include <optional>

#include "platform/winsys/message_queue.h"
#include "platform/winsys/window_geometry.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_record.h"
#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

std::optional<Toolkit> &toolkit_slot()
{
    static std::optional<Toolkit> slot;
    return slot;
}

} // namespace

void install_toolkit(const Toolkit &toolkit)
{
    toolkit_slot() = toolkit;
}

void uninstall_toolkit()
{
    // Children first: their widgets live inside their parents'.
    const std::vector<HWND> &order = windows_in_creation_order();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (Window *w = find_window(*it))
            w->peer.reset();
    toolkit_slot().reset();
}

const Toolkit *installed_toolkit()
{
    return toolkit_slot() ? &*toolkit_slot() : nullptr;
}

void toolkit_window_moved(HWND hwnd, const RECT &window_rect, int size_kind)
{
    const Window *w = find_window(hwnd);
    if (w == nullptr)
        return;
    RECT rect = window_rect;
    bool corrected = false;
    if (size_kind == SIZE_MAXIMIZED) {
        // A maximised window takes no more than the size that
        // WM_GETMINMAXINFO reports, whatever the toolkit offered, within its
        // tracking sizes. Less stands: a window manager tells of the state
        // before it gives the new size, and keeps its frame on a screen
        // smaller than that size (where Windows would let the window out).
        const MINMAXINFO mm = query_min_max(hwnd);
        const RECT offered = rect;
        rect.right = rect.left + std::min(width_of(rect), mm.ptMaxSize.x);
        rect.bottom = rect.top + std::min(height_of(rect), mm.ptMaxSize.y);
        rect = window_pos_changing(hwnd, rect, SWP_NOMOVE);
        corrected = width_of(offered) != width_of(rect) ||
                    height_of(offered) != height_of(rect);
    }
    set_window_rect(hwnd, rect, size_kind, SizeNotice::system_send, corrected);
}

void toolkit_theme_changed(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (w == nullptr)
        return;
    // The frame may have a new size: the client area follows it, then the
    // procedure hears of the change and measures again.
    set_window_rect(hwnd, w->window_rect, size_kind_of(*w),
                    SizeNotice::system_send, false);
    // A new frame may mean a new size limit: asked for once the procedure
    // has measured again.
    queue_system_send(hwnd, WM_THEMECHANGED, 0, 0, refresh_size_limits);
}

void toolkit_menu_command(HWND hwnd, UINT id)
{
    // A chosen menu item is posted as WM_COMMAND with its id and code 0.
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void toolkit_close_requested(HWND hwnd)
{
    // The close box is input, like the click on it; DefWindowProcA turns
    // the system command into WM_CLOSE.
    queue_input(MSG{hwnd, WM_SYSCOMMAND, system_command_close, 0, 0, POINT{}});
}

void toolkit_key(HWND hwnd, UINT message, WPARAM virtual_key, LPARAM key_data,
                 const std::string &text, bool shift, bool control, bool alt)
{
    queue_key_input(MSG{hwnd, message, virtual_key, key_data, 0, POINT{}}, text,
                    shift, control, alt);
}

} // namespace scribblet::winsys
