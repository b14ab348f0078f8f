#include "platform/winsys/window_system.h"

#include <algorithm>
#include <chrono>

#include "platform/resources/resource_reader.h"

namespace scribblet::winsys {
namespace {

constexpr RECT screen_without_toolkit{0, 0, 1024, 768};

// Windows' smallest tracking size for a sizable top-level window.
constexpr LONG min_track_width = 112;
constexpr LONG min_track_height = 27;

// The largest size a window may be given (Qt's limit for a widget).
constexpr LONG unlimited_size = 16777215;

// Milliseconds since the window system started, for MSG::time.
DWORD message_time()
{
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start)
            .count());
}

// Windows keeps the size of a window with a sizing border, and of every
// top-level window that is not a popup, within its tracking sizes; other
// windows take any size they are given.
bool keeps_track_sizes(const Window &w)
{
    return (w.style & WS_THICKFRAME) != 0 ||
           (w.style & (WS_POPUP | WS_CHILD)) == 0;
}

bool is_key_message(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

void refresh_limits_after_theme(HWND hwnd)
{
    window_system().refresh_size_limits(hwnd);
}

} // namespace

WindowSystem &window_system()
{
    static WindowSystem system;
    return system;
}

// ---- Windows ---------------------------------------------------------------

HWND WindowSystem::create(std::unique_ptr<Window> record, CREATESTRUCTA &cs)
{
    Window *w = record.get();
    const HWND hwnd = windows_.add(std::move(record));
    if (hwnd == nullptr)
        return nullptr;
    w->handle = hwnd;
    order_.push_back(hwnd);
    if (w->parent == nullptr) {
        attach_class_menu(*w);
        if (toolkit_) {
            const MenuRecord *bar = menu(w->menu);
            // CW_USEDEFAULT's place is the whole window's (see
            // default_window_rect).
            std::optional<POINT> corner;
            if (cs.x == CW_USEDEFAULT)
                corner = POINT{w->window_rect.left, w->window_rect.top};
            w->peer = toolkit_->peer_for(
                hwnd,
                PeerLook{w->owner, w->style, w->title, w->window_class->icon,
                         bar != nullptr ? &bar->menu : nullptr, corner});
        }
    }
    if (!run_creation(hwnd, w->window_rect, cs)) {
        destroy_tree(hwnd);
        return nullptr;
    }
    refresh_size_limits(hwnd);
    if ((w = find(hwnd)) != nullptr && (w->style & WS_VISIBLE) != 0) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        show(*w, true);
    }
    return find(hwnd) != nullptr ? hwnd : nullptr;
}

// A top-level window shows its class's menu (the program names no menu of
// its own when it creates one).
void WindowSystem::attach_class_menu(Window &w)
{
    const WindowClass &c = *w.window_class;
    if (c.menu_id == 0)
        return;
    std::optional<resources::Menu> items =
        resources::load_menu(c.instance, MAKEINTRESOURCEA(c.menu_id));
    if (items)
        w.menu = menus_.add(std::make_unique<MenuRecord>(
            MenuRecord{std::move(*items), w.handle}));
}

// The creation messages in Windows' order; false when the procedure
// refused the window (FALSE from WM_NCCREATE, -1 from WM_CREATE) or
// destroyed it meanwhile.
bool WindowSystem::run_creation(HWND hwnd, const RECT asked, CREATESTRUCTA &cs)
{
    const LPARAM create = reinterpret_cast<LPARAM>(&cs);
    // The window is asked for its limits first, and the size that the
    // caller asked for is kept within them as SetWindowPos keeps it.
    const POINT size =
        size_within_track(hwnd, POINT{width_of(asked), height_of(asked)});
    Window *w = find(hwnd);
    if (w == nullptr || send(hwnd, WM_NCCREATE, 0, create) == FALSE ||
        (w = find(hwnd)) == nullptr)
        return false;
    w->window_rect =
        RECT{asked.left, asked.top, asked.left + size.x, asked.top + size.y};
    RECT client = w->window_rect;
    send(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if ((w = find(hwnd)) == nullptr)
        return false;
    w->client_rect = RECT{
        client.left - w->window_rect.left, client.top - w->window_rect.top,
        client.right - w->window_rect.left, client.bottom - w->window_rect.top};
    if (w->peer)
        w->peer->apply_geometry(w->window_rect);
    if (send(hwnd, WM_CREATE, 0, create) == -1 || (w = find(hwnd)) == nullptr)
        return false;
    const RECT area = client_area(*w);
    send(hwnd, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(width_of(area), height_of(area)));
    return find(hwnd) != nullptr;
}

void WindowSystem::destroy(Window &w)
{
    destroy_tree(w.handle);
}

// WM_DESTROY reaches a parent before its children; then the window and
// everything it holds go.
void WindowSystem::destroy_tree(HWND hwnd)
{
    Window *w = find(hwnd);
    if (w == nullptr || w->destroying)
        return;
    w->destroying = true;
    if (w->visible && w->peer)
        w->peer->set_visible(false);
    w->visible = false;
    send(hwnd, WM_DESTROY, 0, 0);
    // A procedure may have destroyed some of them meanwhile.
    for (HWND child : std::vector<HWND>(order_))
        if (const Window *c = find(child); c != nullptr && c->parent == hwnd)
            destroy_tree(child);
    // Nothing removes the record meanwhile: destroying it again does
    // nothing, and only this removes it.
    menus_.remove(w->menu);
    std::erase_if(
        input_, [hwnd](const InputEvent &e) { return e.message.hwnd == hwnd; });
    std::erase_if(system_sends_,
                  [hwnd](const auto &s) { return s.first.hwnd == hwnd; });
    std::erase(order_, hwnd);
    // The peer, the surface and the class's state go with the record.
    windows_.remove(hwnd);
}

void WindowSystem::show(Window &w, bool visible)
{
    if (w.visible == visible)
        return;
    w.visible = visible;
    if (visible) {
        w.style |= WS_VISIBLE;
        // A window that appears needs painting all over.
        invalidate(w, client_area(w), true);
    } else {
        w.style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    if (w.peer)
        w.peer->set_visible(visible);
}

bool WindowSystem::enable(Window &w, bool enable)
{
    const bool was_disabled = !w.enabled;
    if (w.enabled == enable)
        return was_disabled;
    w.enabled = enable;
    if (w.peer)
        w.peer->set_enabled(enable);
    // A window losing its input loses the capture too.
    if (!enable && capture() == w.handle)
        release_capture();
    return was_disabled;
}

// A disabled window, or one inside a disabled top-level window, takes no
// input; nor does one being destroyed.
bool WindowSystem::takes_input(HWND hwnd) const
{
    const Window *w = find(hwnd);
    const Window *top = find(top_level(hwnd));
    return w != nullptr && w->enabled && !w->destroying && top->enabled;
}

HWND WindowSystem::top_level(HWND hwnd) const
{
    const Window *w = find(hwnd);
    if (w == nullptr)
        return nullptr;
    while (w->parent != nullptr)
        w = find(w->parent);
    return w->handle;
}

// ---- Places and sizes

RECT WindowSystem::work_area() const
{
    return toolkit_ ? toolkit_->available_area() : screen_without_toolkit;
}

RECT WindowSystem::screen_area() const
{
    return toolkit_ ? toolkit_->whole_screen() : screen_without_toolkit;
}

RECT WindowSystem::client_rect_for(const Window &w,
                                   const RECT &window_rect) const
{
    const FrameInsets f =
        w.peer ? w.peer->frame_insets(width_of(window_rect)) : FrameInsets{};
    // A frame larger than the window leaves an empty client area.
    const LONG top = window_rect.top + f.top;
    const LONG left = window_rect.left;
    return RECT{left, top, std::max(left, window_rect.right - f.right),
                std::max(top, window_rect.bottom - f.bottom)};
}

// What the system fills in before asking the procedure: maximised, the
// window covers the work area; its size stays between the smallest
// tracking size (SM_CXMINTRACK) and the whole screen. Windows' largest
// tracking size (SM_CXMAXTRACK) is the screen plus the window's sizing
// frame; here the window manager's frame lies outside the window
// rectangle, so the largest is the screen itself.
MINMAXINFO WindowSystem::min_max(HWND hwnd)
{
    const RECT work = work_area();
    const RECT screen = screen_area();
    MINMAXINFO mm{};
    mm.ptMaxSize = POINT{width_of(work), height_of(work)};
    mm.ptMinTrackSize = POINT{min_track_width, min_track_height};
    mm.ptMaxTrackSize = POINT{width_of(screen), height_of(screen)};
    send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    return mm;
}

POINT WindowSystem::size_within_track(HWND hwnd, POINT size)
{
    const Window *w = find(hwnd);
    if (w == nullptr || !keeps_track_sizes(*w))
        return size;
    // The largest size first, then the smallest, which wins where the
    // procedure made them cross.
    const MINMAXINFO mm = min_max(hwnd);
    size.x =
        std::max(std::min(size.x, mm.ptMaxTrackSize.x), mm.ptMinTrackSize.x);
    size.y =
        std::max(std::min(size.y, mm.ptMaxTrackSize.y), mm.ptMinTrackSize.y);
    return size;
}

RECT WindowSystem::position_changing(HWND hwnd, const RECT &proposed,
                                     UINT flags)
{
    WINDOWPOS pos{hwnd,
                  proposed.left,
                  proposed.top,
                  width_of(proposed),
                  height_of(proposed),
                  flags};
    send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    // Windows treats a negative size as 0.
    return RECT{pos.x, pos.y, pos.x + std::max(pos.cx, 0),
                pos.y + std::max(pos.cy, 0)};
}

void WindowSystem::move(Window &w, const RECT &window_rect, int size_kind,
                        SizeNotice notice, bool apply_to_peer)
{
    const RECT old_client = client_area(w);
    const int old_kind = w.size_kind;
    const RECT c = client_rect_for(w, window_rect);
    w.window_rect = window_rect;
    w.client_rect =
        RECT{c.left - window_rect.left, c.top - window_rect.top,
             c.right - window_rect.left, c.bottom - window_rect.top};
    w.size_kind = size_kind;
    if (apply_to_peer && w.peer)
        w.peer->apply_geometry(window_rect);
    const RECT now = client_area(w);
    const bool resized =
        now.right != old_client.right || now.bottom != old_client.bottom;
    if (resized)
        invalidate(w, now, true);
    if (!resized && old_kind == size_kind)
        return;
    // A minimised window reports no client area.
    const LPARAM size = size_kind == SIZE_MINIMIZED
                            ? 0
                            : MAKELPARAM(width_of(now), height_of(now));
    if (notice == SizeNotice::send)
        send(w.handle, WM_SIZE, static_cast<WPARAM>(size_kind), size);
    else
        add_system_send(w.handle, WM_SIZE, static_cast<WPARAM>(size_kind),
                        size);
}

void WindowSystem::refresh_size_limits(HWND hwnd)
{
    const Window *w = find(hwnd);
    if (w == nullptr || !w->peer)
        return;
    const DWORD style = w->style;
    const RECT rect = w->window_rect;
    const MINMAXINFO mm = min_max(hwnd);
    POINT largest = mm.ptMaxTrackSize;
    POINT smallest = mm.ptMinTrackSize;
    if ((style & WS_THICKFRAME) != 0) {
        // Ask how far a border dragged out to the limit may go: the answer
        // is the largest size the user can drag the window to.
        RECT proposed{rect.left, rect.top, rect.left + unlimited_size,
                      rect.top + unlimited_size};
        send(hwnd, WM_SIZING, WMSZ_BOTTOMRIGHT,
             reinterpret_cast<LPARAM>(&proposed));
        largest.x = std::min(largest.x, width_of(proposed));
        largest.y = std::min(largest.y, height_of(proposed));
    } else {
        // A window without a sizing border keeps its size.
        largest = smallest = POINT{width_of(rect), height_of(rect)};
    }
    smallest.x = std::clamp(smallest.x, LONG{0}, largest.x);
    smallest.y = std::clamp(smallest.y, LONG{0}, largest.y);
    // The procedure may have destroyed the window meanwhile.
    if ((w = find(hwnd)) != nullptr && w->peer)
        w->peer->set_size_limits(smallest, largest);
}

void WindowSystem::moved_by_user(HWND hwnd, const RECT &window_rect,
                                 int size_kind)
{
    RECT rect = window_rect;
    bool corrected = false;
    if (size_kind == SIZE_MAXIMIZED) {
        // A maximised window takes no more than the size that
        // WM_GETMINMAXINFO reports, whatever the toolkit offered, within its
        // tracking sizes. Less stands: a window manager tells of the state
        // before it gives the new size, and keeps its frame on a screen
        // smaller than that size (where Windows would let the window out).
        const MINMAXINFO mm = min_max(hwnd);
        rect.right = rect.left + std::min(width_of(rect), mm.ptMaxSize.x);
        rect.bottom = rect.top + std::min(height_of(rect), mm.ptMaxSize.y);
        rect = position_changing(hwnd, rect, SWP_NOMOVE);
        corrected = width_of(window_rect) != width_of(rect) ||
                    height_of(window_rect) != height_of(rect);
    }
    if (Window *w = find(hwnd))
        move(*w, rect, size_kind, SizeNotice::system_send, corrected);
}

void WindowSystem::frame_changed(HWND hwnd)
{
    Window *w = find(hwnd);
    if (w == nullptr)
        return;
    // The frame may have a new size: the client area follows it, then the
    // procedure hears of the change and measures again; a new frame may
    // mean new size limits, asked for once it has.
    move(*w, w->window_rect, w->size_kind, SizeNotice::system_send, false);
    add_system_send(hwnd, WM_THEMECHANGED, 0, 0, refresh_limits_after_theme);
}

// ---- Painting

void WindowSystem::invalidate(Window &w, const RECT &rect, bool erase)
{
    const RECT clipped = intersected(rect, client_area(w));
    if (is_empty(clipped))
        return;
    w.update = united(w.update, clipped);
    w.erase_pending = w.erase_pending || erase;
}

void WindowSystem::validate(Window &w)
{
    w.update = RECT{};
    w.erase_pending = false;
}

HDC WindowSystem::begin_paint(Window &w, PAINTSTRUCT &paint)
{
    const RECT area = client_area(w);
    paint = PAINTSTRUCT{};
    paint.hdc = w.surface.fit(width_of(area), height_of(area));
    if (paint.hdc == nullptr)
        return nullptr;
    // BeginPaint hands out the update region's bounding rectangle and
    // validates it; the background is erased first when asked for.
    paint.rcPaint = w.paint_clip = w.update;
    const bool erase = w.erase_pending;
    validate(w);
    if (erase)
        paint.fErase = send(w.handle, WM_ERASEBKGND,
                            reinterpret_cast<WPARAM>(paint.hdc), 0) == 0;
    return paint.hdc;
}

// ---- Messages

LRESULT WindowSystem::send(HWND hwnd, UINT message, WPARAM wParam,
                           LPARAM lParam)
{
    const Window *w = find(hwnd);
    return w != nullptr ? w->window_class->proc(hwnd, message, wParam, lParam)
                        : 0;
}

void WindowSystem::post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    posted_.push_back(
        MSG{hwnd, message, wParam, lParam, message_time(), POINT{}});
}

void WindowSystem::post_quit(int code)
{
    quit_ = static_cast<WPARAM>(code);
}

void WindowSystem::add_input(InputEvent event)
{
    if (!takes_input(event.message.hwnd))
        return;
    event.message.time = message_time();
    input_.push_back(std::move(event));
}

void WindowSystem::add_system_send(HWND hwnd, UINT message, WPARAM wParam,
                                   LPARAM lParam, void (*then)(HWND))
{
    system_sends_.emplace_back(MSG{hwnd, message, wParam, lParam, 0, POINT{}},
                               then);
}

BOOL WindowSystem::get_message(MSG *msg)
{
    for (;;) {
        bool quit = false;
        if (take_ready(msg, &quit))
            return quit ? FALSE : TRUE;
        // Nothing at all waits: without a toolkit nothing ever will.
        if (!toolkit_)
            return -1;
        if (!idle_hooks_.empty() && *idle_hooks_.back())
            (*idle_hooks_.back())();
        // What the idle hook posted is taken before waiting.
        if (posted_.empty() && !quit_)
            toolkit_->wait_for_more();
    }
}

// Takes the next message if one is ready, without waiting: what is queued,
// then input that the toolkit has meanwhile, then WM_PAINT.
bool WindowSystem::take_ready(MSG *msg, bool *quit)
{
    deliver_system_sends();
    if (take_queued(msg, quit))
        return true;
    if (toolkit_) {
        toolkit_->handle_pending();
        deliver_system_sends();
        if (take_queued(msg, quit))
            return true;
    }
    return make_paint_message(msg);
}

// Windows' order: posted messages first (first in, first out), then the
// quit message once nothing posted waits, then input in the order it
// happened. A key message's character becomes the keyboard state.
bool WindowSystem::take_queued(MSG *msg, bool *quit)
{
    if (!posted_.empty()) {
        *msg = posted_.front();
        posted_.pop_front();
    } else if (quit_) {
        *msg = MSG{nullptr, WM_QUIT, *quit_, 0, message_time(), POINT{}};
        quit_.reset();
        *quit = true;
    } else if (!input_.empty()) {
        *msg = input_.front().message;
        if (is_key_message(msg->message))
            last_key_ = std::move(input_.front());
        input_.pop_front();
    } else {
        return false;
    }
    return true;
}

// WM_PAINT is never queued: it is made for the first window, in creation
// order, whose update region is not empty and which is shown with all of
// its parents.
bool WindowSystem::make_paint_message(MSG *msg) const
{
    for (HWND hwnd : order_) {
        const Window *w = find(hwnd);
        bool shown = !is_empty(w->update);
        for (const Window *up = w; shown && up != nullptr;
             up = find(up->parent))
            shown = up->visible;
        if (shown) {
            *msg = MSG{hwnd, WM_PAINT, 0, 0, message_time(), POINT{}};
            return true;
        }
    }
    return false;
}

// Messages that the system sent while the queue was not being read.
void WindowSystem::deliver_system_sends()
{
    while (!system_sends_.empty()) {
        const auto [m, then] = system_sends_.front();
        system_sends_.pop_front();
        send(m.hwnd, m.message, m.wParam, m.lParam);
        if (then != nullptr)
            then(m.hwnd);
    }
}

// ---- Capture and cursor

HWND WindowSystem::capture() const
{
    // The capture ends with the window that held it.
    return find(capture_) != nullptr ? capture_ : nullptr;
}

HWND WindowSystem::set_capture(Window &w)
{
    const HWND previous = capture();
    release_capture();
    capture_ = w.handle;
    // From now on every pointer move reaches this window, wherever the
    // pointer is, in its client coordinates.
    if (w.peer)
        w.peer->set_capture(true);
    return previous;
}

void WindowSystem::release_capture()
{
    Window *w = find(capture_);
    capture_ = nullptr;
    if (w != nullptr && w->peer)
        w->peer->set_capture(false);
}

void WindowSystem::show_cursor(HCURSOR cursor) const
{
    if (toolkit_)
        toolkit_->show_cursor(cursor);
}

// ---- The toolkit

void WindowSystem::install(const Toolkit &toolkit)
{
    toolkit_ = toolkit;
}

void WindowSystem::uninstall()
{
    for (HWND hwnd : order_)
        find(hwnd)->peer.reset();
    toolkit_.reset();
}

} // namespace scribblet::winsys
