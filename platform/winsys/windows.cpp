// CreateWindowExA, ShowWindow, UpdateWindow, DestroyWindow and the
// window-record queries of the internal interface.
#include <algorithm>

#include "platform/resources/resource_reader.h"
#include "platform/winsys/menus.h"
#include "platform/winsys/message_queue.h"
#include "platform/winsys/painting.h"
#include "platform/winsys/pointer.h"
#include "platform/winsys/window_geometry.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_record.h"
#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

// Where CW_USEDEFAULT puts a top-level window: a little in from the work
// area's corner, each new window further down and right (Windows cascades
// them), three quarters of the work area in size. Windows puts the whole
// window there, caption and borders included; the window manager's frame
// lies outside our window rectangle, so the peer is told that the place is
// the default one and puts the frame there (PeerLook::default_corner).
RECT default_window_rect(int x, int y, int width, int height)
{
    static int cascade = 0;
    const RECT work = work_area();
    if (x == CW_USEDEFAULT) {
        const int step = 26 * (cascade++ % 8);
        x = work.left + step;
        y = work.top + step;
    }
    if (width == CW_USEDEFAULT) {
        width = width_of(work) * 3 / 4;
        height = height_of(work) * 3 / 4;
    }
    return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

PeerLook look_of(const Window &w, bool default_position)
{
    const WindowClass &c = *w.window_class;
    std::optional<POINT> corner;
    if (default_position && w.parent == nullptr)
        corner = POINT{w.window_rect.left, w.window_rect.top};
    return PeerLook{w.parent,
                    w.owner,
                    w.style,
                    w.title,
                    c.icon != nullptr ? c.icon : c.icon_small,
                    menu_items(w.menu),
                    corner};
}

RECT requested_rect(const Window &w, int x, int y, int width, int height)
{
    if (w.parent == nullptr)
        return default_window_rect(x, y, width, height);
    // A child has no default place or size.
    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT)
        width = height = 0;
    return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

// A top-level window without a menu of its own gets its class's menu.
HMENU menu_for(const WindowClass &c, HMENU given, HWND hwnd)
{
    if (given != nullptr || c.menu_name.empty())
        return given;
    std::optional<resources::Menu> menu =
        resources::load_menu(c.instance, c.menu_name.as_lpcstr());
    return menu ? make_menu(std::move(*menu), hwnd) : nullptr;
}

// Removes a window and everything that belongs to it, sending WM_DESTROY
// parent before children.
void destroy_tree(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (w == nullptr || w->destroying)
        return;
    w->destroying = true;
    if (capture_window() == hwnd)
        ReleaseCapture();
    // Windows that it owns go first.
    for (HWND other : std::vector<HWND>(windows_in_creation_order()))
        if (owner_of(other) == hwnd)
            destroy_tree(other);
    if (w->peer && w->visible)
        w->peer->show(SW_HIDE);
    w->visible = false;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : std::vector<HWND>(windows_in_creation_order()))
        if (parent_of(child) == hwnd)
            destroy_tree(child);
    release_surface(hwnd);
    w = find_window(hwnd);
    if (w->menu != nullptr)
        free_menu(w->menu);
    forget_window_messages(hwnd);
    note_destroyed(hwnd);
    // The peer goes with the record; children's peers went before.
    window_table().remove(hwnd);
}

// Sends the creation messages in Windows' order; false when the procedure
// refused the window (the window is then destroyed).
bool run_creation(HWND hwnd, CREATESTRUCTA &cs)
{
    const LPARAM create = reinterpret_cast<LPARAM>(&cs);
    // The window is asked for its limits first, and the size that the
    // caller asked for is kept within them as SetWindowPos keeps it.
    const RECT asked = find_window(hwnd)->window_rect;
    const POINT size =
        size_within_track(hwnd, POINT{width_of(asked), height_of(asked)});
    Window *w = find_window(hwnd);
    if (w == nullptr)
        return false;
    w->window_rect.right = w->window_rect.left + size.x;
    w->window_rect.bottom = w->window_rect.top + size.y;
    if (SendMessageA(hwnd, WM_NCCREATE, 0, create) == FALSE ||
        (w = find_window(hwnd)) == nullptr)
        return false;
    RECT rect = w->window_rect;
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    if ((w = find_window(hwnd)) == nullptr)
        return false;
    w->client_rect = RECT{
        rect.left - w->window_rect.left, rect.top - w->window_rect.top,
        rect.right - w->window_rect.left, rect.bottom - w->window_rect.top};
    if (w->peer)
        w->peer->apply_geometry(w->window_rect);
    // A -1 from WM_CREATE refuses the window.
    if (SendMessageA(hwnd, WM_CREATE, 0, create) == -1 ||
        (w = find_window(hwnd)) == nullptr)
        return false;
    const RECT client = client_area(*w);
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(width_of(client), height_of(client)));
    return is_window(hwnd);
}

} // namespace

bool is_window(HWND hwnd)
{
    return find_window(hwnd) != nullptr;
}

HWND parent_of(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    return w != nullptr ? w->parent : nullptr;
}

HWND owner_of(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    return w != nullptr ? w->owner : nullptr;
}

HWND top_level_of(HWND hwnd)
{
    if (!is_window(hwnd))
        return nullptr;
    while (parent_of(hwnd) != nullptr)
        hwnd = parent_of(hwnd);
    return hwnd;
}

int child_id_of(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    return w != nullptr ? w->child_id : 0;
}

HWND find_child(HWND parent, int id)
{
    for (HWND hwnd : windows_in_creation_order())
        if (parent_of(hwnd) == parent && child_id_of(hwnd) == id)
            return hwnd;
    return nullptr;
}

void for_each_child(HWND parent, const std::function<void(HWND)> &visit)
{
    for (HWND hwnd : std::vector<HWND>(windows_in_creation_order()))
        if (parent_of(hwnd) == parent && is_window(hwnd))
            visit(hwnd);
}

bool enable_window(HWND hwnd, bool enable)
{
    Window *w = find_window(hwnd);
    if (w == nullptr)
        return false;
    const bool was_disabled = !w->enabled;
    if (w->enabled != enable) {
        w->enabled = enable;
        if (w->peer)
            w->peer->set_enabled(enable);
        // A window losing its input loses the capture too.
        if (!enable && capture_window() == hwnd)
            ReleaseCapture();
    }
    return was_disabled;
}

bool is_window_enabled(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    return w != nullptr && w->enabled && !w->destroying;
}

DWORD style_of(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    return w != nullptr ? w->style : 0;
}

void set_window_data(HWND hwnd, LONG_PTR data)
{
    if (Window *w = find_window(hwnd))
        w->data = data;
}

LONG_PTR window_data(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    return w != nullptr ? w->data : 0;
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName,
                            LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent,
                            HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    const WindowClass *c = find_class(lpClassName);
    if (c == nullptr)
        return nullptr;
    const bool child = (dwStyle & WS_CHILD) != 0;
    // A child needs a parent; a top-level window's owner is the top-level
    // window of the one given.
    if (child && !is_window(hWndParent))
        return nullptr;
    auto record = std::make_unique<Window>();
    record->window_class = c;
    record->proc = c->proc;
    record->style = dwStyle;
    record->ex_style = dwExStyle;
    record->title = lpWindowName != nullptr ? lpWindowName : "";
    record->parent = child ? hWndParent : nullptr;
    record->owner = child ? nullptr : top_level_of(hWndParent);
    record->child_id =
        child ? static_cast<int>(reinterpret_cast<INT_PTR>(hMenu)) : 0;
    record->enabled = (dwStyle & WS_DISABLED) == 0;
    Window *w = record.get();
    const HWND hwnd = window_table().add(std::move(record));
    if (hwnd == nullptr)
        return nullptr;
    note_created(hwnd);
    if (!child)
        w->menu = menu_for(*c, hMenu, hwnd);
    w->window_rect = requested_rect(*w, X, Y, nWidth, nHeight);
    if (const Toolkit *toolkit = installed_toolkit())
        w->peer = toolkit->make_peer(hwnd, look_of(*w, X == CW_USEDEFAULT));

    CREATESTRUCTA cs{lpParam,
                     hInstance,
                     hMenu,
                     hWndParent,
                     nHeight,
                     nWidth,
                     Y,
                     X,
                     static_cast<LONG>(dwStyle),
                     lpWindowName,
                     lpClassName,
                     dwExStyle};
    if (!run_creation(hwnd, cs)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    refresh_size_limits(hwnd);
    if ((dwStyle & WS_VISIBLE) != 0) {
        if (Window *created = find_window(hwnd))
            created->style &= ~static_cast<DWORD>(WS_VISIBLE);
        ShowWindow(hwnd, SW_SHOW);
    }
    return is_window(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    if (!is_window(hWnd))
        return FALSE;
    destroy_tree(hWnd);
    return TRUE;
}

namespace {

// The rectangle that a maximised window takes: WM_GETMINMAXINFO's
// maximised position (from the work area's corner) and size, which the
// window then hears of as of any other change (and so is kept within its
// tracking sizes).
RECT maximised_rect(HWND hwnd)
{
    const MINMAXINFO mm = query_min_max(hwnd);
    const RECT work = work_area();
    const LONG x = work.left + mm.ptMaxPosition.x;
    const LONG y = work.top + mm.ptMaxPosition.y;
    return window_pos_changing(
        hwnd, RECT{x, y, x + mm.ptMaxSize.x, y + mm.ptMaxSize.y}, 0);
}

int size_kind_for(int command)
{
    switch (command) {
    case SW_SHOWMAXIMIZED:
        return SIZE_MAXIMIZED;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return SIZE_MINIMIZED;
    default:
        return SIZE_RESTORED;
    }
}

} // namespace

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    Window *w = find_window(hWnd);
    if (w == nullptr)
        return FALSE;
    const BOOL was_visible = w->visible ? TRUE : FALSE;
    if (nCmdShow == SW_HIDE) {
        if (w->visible && w->peer)
            w->peer->show(SW_HIDE);
        w->visible = false;
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        return was_visible;
    }
    // Without start-up information the default command is a normal show.
    const int command = nCmdShow == SW_SHOWDEFAULT ? SW_SHOWNORMAL : nCmdShow;
    const int kind = size_kind_for(command);
    const bool keep_state = command == SW_SHOW || command == SW_SHOWNA ||
                            command == SW_SHOWNOACTIVATE;
    if (!keep_state && w->parent == nullptr) {
        if (kind == SIZE_MAXIMIZED && w->show_state != SW_SHOWMAXIMIZED) {
            w->restore_rect = w->window_rect;
            set_window_rect(hWnd, maximised_rect(hWnd), kind, SizeNotice::send,
                            true);
        } else if (kind == SIZE_RESTORED && w->show_state == SW_SHOWMAXIMIZED) {
            set_window_rect(hWnd, w->restore_rect, kind, SizeNotice::send,
                            true);
        } else if (kind != SIZE_RESTORED || w->show_state != SW_SHOWNORMAL) {
            set_window_rect(hWnd, w->window_rect, kind, SizeNotice::send, true);
        }
    }
    if ((w = find_window(hWnd)) == nullptr)
        return was_visible;
    if (!w->visible) {
        w->visible = true;
        w->style |= WS_VISIBLE;
        // A window that appears needs painting all over.
        invalidate_all(hWnd);
    }
    if (w->peer)
        w->peer->show(keep_state ? SW_SHOW : command);
    refresh_size_limits(hWnd);
    return was_visible;
}

BOOL WINAPI UpdateWindow(HWND hWnd)
{
    Window *w = find_window(hWnd);
    if (w == nullptr)
        return FALSE;
    // Paints at once, without going through the queue.
    if (w->visible && !is_empty(w->update))
        SendMessageA(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}
