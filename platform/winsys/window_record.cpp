#include "platform/winsys/window_record.h"

#include <algorithm>
#include <cstring>

#include "platform/winsys/window_peer.h"

namespace scribblet::winsys {

ResourceRef ResourceRef::from_lpcstr(LPCSTR name)
{
    ResourceRef ref;
    if (name == nullptr)
        return ref;
    if (IS_INTRESOURCE(name)) {
        ref.ordinal = LOWORD(name);
        return ref;
    }
    ref.is_ordinal = false;
    ref.text = name;
    return ref;
}

Window::Window() = default;
Window::~Window() = default;

HandleTable<Window, HWND> &window_table()
{
    static HandleTable<Window, HWND> table(HandleKind::window);
    return table;
}

Window *find_window(HWND hwnd)
{
    return window_table().lookup(hwnd);
}

namespace {
std::vector<HWND> &creation_order()
{
    static std::vector<HWND> order;
    return order;
}
} // namespace

const std::vector<HWND> &windows_in_creation_order()
{
    return creation_order();
}

void note_created(HWND hwnd)
{
    creation_order().push_back(hwnd);
}

void note_destroyed(HWND hwnd)
{
    std::erase(creation_order(), hwnd);
}

RECT united(const RECT &a, const RECT &b)
{
    if (is_empty(a))
        return b;
    if (is_empty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top),
                std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT intersected(const RECT &a, const RECT &b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top),
           std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return is_empty(r) ? RECT{} : r;
}

RECT client_area(const Window &window)
{
    return RECT{0, 0, width_of(window.client_rect),
                height_of(window.client_rect)};
}

} // namespace scribblet::winsys
