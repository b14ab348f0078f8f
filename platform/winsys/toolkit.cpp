// The toolkit's installation and its reports of what the user did.
#include <utility>

#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

void queue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
           std::string text = {})
{
    window_system().add_input(
        InputEvent{MSG{hwnd, message, wParam, lParam, 0, {}}, std::move(text)});
}

} // namespace

void install_toolkit(const Toolkit &toolkit)
{
    window_system().install(toolkit);
}

void uninstall_toolkit()
{
    window_system().uninstall();
}

void toolkit_window_moved(HWND hwnd, const RECT &window_rect, int size_kind)
{
    window_system().moved_by_user(hwnd, window_rect, size_kind);
}

void toolkit_theme_changed(HWND hwnd)
{
    window_system().frame_changed(hwnd);
}

// A chosen menu item is posted as WM_COMMAND with its id and code 0.
void toolkit_menu_command(HWND hwnd, UINT id)
{
    window_system().post(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// The close box is input, like the click on it; DefWindowProcA turns the
// system command into WM_CLOSE.
void toolkit_close_requested(HWND hwnd)
{
    queue(hwnd, WM_SYSCOMMAND, system_command_close, 0);
}

void toolkit_mouse(HWND hwnd, UINT message, WPARAM keys, LPARAM position)
{
    queue(hwnd, message, keys, position);
}

void toolkit_key(HWND hwnd, UINT message, WPARAM virtual_key, LPARAM key_data,
                 const std::string &text)
{
    queue(hwnd, message, virtual_key, key_data, text);
}

SurfaceView surface_of(HWND hwnd)
{
    const Window *w = window_system().find(hwnd);
    return w != nullptr ? w->surface.pixels() : SurfaceView{};
}

} // namespace scribblet::winsys
