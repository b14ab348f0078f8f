#include "platform/winsys/dialog_support.h"

#include "platform/winsys/window_system.h"

namespace scribblet::winsys {

HWND parent_of(HWND hwnd)
{
    const Window *w = window_system().find(hwnd);
    return w != nullptr ? w->parent : nullptr;
}

int child_id_of(HWND hwnd)
{
    const Window *w = window_system().find(hwnd);
    return w != nullptr ? w->child_id : 0;
}

HWND top_level_of(HWND hwnd)
{
    return window_system().top_level(hwnd);
}

std::vector<HWND> children_of(HWND parent)
{
    std::vector<HWND> children;
    for (HWND hwnd : window_system().windows())
        if (window_system().find(hwnd)->parent == parent)
            children.push_back(hwnd);
    return children;
}

HWND find_child(HWND parent, int id)
{
    for (HWND hwnd : children_of(parent))
        if (child_id_of(hwnd) == id)
            return hwnd;
    return nullptr;
}

DWORD style_of(HWND hwnd)
{
    const Window *w = window_system().find(hwnd);
    return w != nullptr ? w->style : 0;
}

bool enable_window(HWND hwnd, bool enable)
{
    Window *w = window_system().find(hwnd);
    return w != nullptr && window_system().enable(*w, enable);
}

bool takes_input(HWND hwnd)
{
    return window_system().takes_input(hwnd);
}

POINT client_origin(HWND hwnd)
{
    const Window *w = window_system().find(hwnd);
    if (w == nullptr)
        return POINT{0, 0};
    return POINT{w->window_rect.left + w->client_rect.left,
                 w->window_rect.top + w->client_rect.top};
}

void queue_input(HWND hwnd, UINT message)
{
    window_system().add_input(InputEvent{MSG{hwnd, message, 0, 0, 0, {}}, {}});
}

void register_internal_class(const char *name, WNDPROC proc)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void set_window_state(HWND hwnd, std::unique_ptr<WindowState> state)
{
    if (Window *w = window_system().find(hwnd))
        w->state = std::move(state);
}

WindowState *window_state_of(HWND hwnd)
{
    const Window *w = window_system().find(hwnd);
    return w != nullptr ? w->state.get() : nullptr;
}

void run_modal_loop(const std::function<bool()> &done,
                    const std::function<bool(MSG &)> &filter,
                    const std::function<void()> &on_idle)
{
    window_system().push_idle_hook(&on_idle);
    MSG msg{};
    while (!done() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (filter(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    window_system().pop_idle_hook();
}

} // namespace scribblet::winsys
