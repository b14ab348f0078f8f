// One message queue on the one thread: GetMessageA, PostMessageA,
// SendMessageA, DispatchMessageA, PostQuitMessage, and the modal loop.
#include "platform/winsys/message_queue.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <vector>

#include "platform/winsys/window_peer.h"
#include "platform/winsys/test_support.h"
#include "platform/winsys/window_record.h"
#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

struct SystemSend {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    void (*then)(HWND);
};

struct Queue {
    std::deque<MSG> posted;
    std::deque<InputEvent> input;
    std::deque<SystemSend> system_sends;
    bool quit = false;
    WPARAM quit_code = 0;
    InputEvent keyboard;
    std::vector<const std::function<void()> *> idle_hooks;
};

Queue &queue()
{
    static Queue q;
    return q;
}

// Whether hwnd is filter or one of its descendants.
bool belongs_to(HWND hwnd, HWND filter)
{
    for (HWND h = hwnd; h != nullptr; h = parent_of(h))
        if (h == filter)
            return true;
    return false;
}

struct Filter {
    HWND hwnd;
    UINT min;
    UINT max;

    bool accepts(const MSG &m) const
    {
        if (hwnd != nullptr && !belongs_to(m.hwnd, hwnd))
            return false;
        if (min == 0 && max == 0)
            return true;
        return m.message >= min && m.message <= max;
    }
};

// The first posted message that the filter accepts.
bool take_posted(const Filter &filter, MSG *out)
{
    std::deque<MSG> &posted = queue().posted;
    const auto it =
        std::find_if(posted.begin(), posted.end(),
                     [&](const MSG &m) { return filter.accepts(m); });
    if (it == posted.end())
        return false;
    *out = *it;
    posted.erase(it);
    return true;
}

// The first input message that the filter accepts; a key message's
// keyboard becomes the thread's keyboard state.
bool take_input(const Filter &filter, MSG *out)
{
    std::deque<InputEvent> &input = queue().input;
    const auto it =
        std::find_if(input.begin(), input.end(), [&](const InputEvent &e) {
            return filter.accepts(e.message);
        });
    if (it == input.end())
        return false;
    *out = it->message;
    if (is_key_message(out->message))
        queue().keyboard = *it;
    input.erase(it);
    return true;
}

// Messages that the system sent while the queue was not being read.
void deliver_system_sends()
{
    while (!queue().system_sends.empty()) {
        const SystemSend s = queue().system_sends.front();
        queue().system_sends.pop_front();
        SendMessageA(s.hwnd, s.message, s.wParam, s.lParam);
        if (s.then != nullptr)
            s.then(s.hwnd);
    }
}

bool ancestors_visible(HWND hwnd)
{
    for (HWND h = hwnd; h != nullptr; h = parent_of(h)) {
        const Window *w = find_window(h);
        if (w == nullptr || !w->visible)
            return false;
    }
    return true;
}

// WM_PAINT is never queued: it is made for the first visible window whose
// update region is not empty.
bool make_paint_message(const Filter &filter, MSG *out)
{
    for (HWND hwnd : windows_in_creation_order()) {
        const Window *w = find_window(hwnd);
        if (w == nullptr || is_empty(w->update) || !ancestors_visible(hwnd))
            continue;
        MSG m{hwnd, WM_PAINT, 0, 0, message_time(), POINT{}};
        if (filter.accepts(m)) {
            *out = m;
            return true;
        }
    }
    return false;
}

// Windows' order: posted messages first (first in, first out), then the
// quit message once nothing posted waits, then input in the order it
// happened, then WM_PAINT made on demand.
bool take_message(const Filter &filter, MSG *out, bool *quit)
{
    Queue &q = queue();
    if (take_posted(filter, out))
        return true;
    if (q.quit) {
        q.quit = false;
        *out = MSG{nullptr, WM_QUIT, q.quit_code, 0, message_time(), POINT{}};
        *quit = true;
        return true;
    }
    return take_input(filter, out);
}

// Takes the next message if one is ready, without waiting: what is
// queued, then input that the toolkit has meanwhile, then WM_PAINT.
bool take_ready_message(const Filter &filter, MSG *out, bool *quit)
{
    deliver_system_sends();
    if (take_message(filter, out, quit))
        return true;
    if (const Toolkit *toolkit = installed_toolkit()) {
        toolkit->poll_events();
        deliver_system_sends();
        if (take_message(filter, out, quit))
            return true;
    }
    return make_paint_message(filter, out);
}

void run_idle_hook()
{
    if (!queue().idle_hooks.empty())
        (*queue().idle_hooks.back())();
}

} // namespace

const InputEvent &keyboard_state()
{
    return queue().keyboard;
}

DWORD message_time()
{
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start)
            .count());
}

void queue_input(const MSG &msg)
{
    queue_key_input(msg, {}, false, false, false);
}

void queue_key_input(const MSG &msg, const std::string &text, bool shift,
                     bool control, bool alt)
{
    // A disabled window, or one inside a disabled top-level window, takes
    // no input.
    if (!is_window_enabled(msg.hwnd) ||
        !is_window_enabled(top_level_of(msg.hwnd)))
        return;
    InputEvent e{msg, text, shift, control, alt};
    if (e.message.time == 0)
        e.message.time = message_time();
    queue().input.push_back(std::move(e));
}

void queue_system_send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       void (*then)(HWND))
{
    queue().system_sends.push_back(
        SystemSend{hwnd, message, wParam, lParam, then});
}

void forget_window_messages(HWND hwnd)
{
    Queue &q = queue();
    std::erase_if(q.input, [hwnd](const InputEvent &e) {
        return e.message.hwnd == hwnd;
    });
    std::erase_if(q.system_sends,
                  [hwnd](const SystemSend &s) { return s.hwnd == hwnd; });
}

bool peek_message(MSG *msg)
{
    bool quit = false;
    return msg != nullptr &&
           take_ready_message(Filter{nullptr, 0, 0}, msg, &quit);
}

bool run_modal_loop(const std::function<bool()> &done,
                    const std::function<bool(MSG &)> &filter,
                    const std::function<void()> &on_idle)
{
    if (on_idle)
        queue().idle_hooks.push_back(&on_idle);
    bool ended_normally = true;
    while (!done()) {
        MSG msg{};
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Pass the quit message on to the loop outside, as Windows'
            // modal loops do.
            PostQuitMessage(static_cast<int>(msg.wParam));
            ended_normally = false;
            break;
        }
        if (got == -1) {
            ended_normally = false;
            break;
        }
        if (filter && filter(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (on_idle)
        queue().idle_hooks.pop_back();
    return ended_normally;
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin,
                        UINT wMsgFilterMax)
{
    if (lpMsg == nullptr || (hWnd != nullptr && !is_window(hWnd)))
        return -1;
    const Filter filter{hWnd, wMsgFilterMin, wMsgFilterMax};
    for (;;) {
        bool quit = false;
        if (take_ready_message(filter, lpMsg, &quit))
            return quit ? FALSE : TRUE;
        // Nothing at all waits: without a toolkit nothing ever will.
        const Toolkit *toolkit = installed_toolkit();
        if (toolkit == nullptr)
            return -1;
        run_idle_hook();
        if (!queue().posted.empty() || queue().quit)
            continue;
        toolkit->wait_for_events();
    }
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    // A null window posts to the thread itself.
    if (hWnd != nullptr && !is_window(hWnd))
        return FALSE;
    queue().posted.push_back(
        MSG{hWnd, Msg, wParam, lParam, message_time(), POINT{}});
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    const Window *w = find_window(hWnd);
    if (w == nullptr)
        return 0;
    return w->proc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DispatchMessageA(const MSG *lpMsg)
{
    if (lpMsg == nullptr)
        return 0;
    return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam,
                        lpMsg->lParam);
}

void WINAPI PostQuitMessage(int nExitCode)
{
    queue().quit = true;
    queue().quit_code = static_cast<WPARAM>(nExitCode);
}
