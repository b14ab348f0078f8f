// The thread's message queue as Windows keeps it, apart from the windows:
// what was posted, the input the user made, messages the system sends
// while nobody reads the queue, and the quit message. The window system
// (window_system.h) decides the order in which they are taken.
#ifndef SCRIBBLET_PLATFORM_WINSYS_MESSAGE_QUEUE_H
#define SCRIBBLET_PLATFORM_WINSYS_MESSAGE_QUEUE_H

#include <deque>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace scribblet::winsys {

// A queued input message; a key's with the character that it makes.
struct InputEvent {
    MSG message{};
    std::string text;
};

// A message that the system sends (not posts) to a window when the user
// did something: the procedure gets it inside the next GetMessageA, as
// Windows delivers messages sent from elsewhere; then, when given, runs
// once the procedure has handled it.
struct SystemSend {
    MSG message{};
    void (*then)(HWND) = nullptr;
};

class MessageQueue {
public:
    void post(const MSG &msg)
    {
        posted_.push_back(msg);
    }
    void post_quit(int code)
    {
        quit_ = static_cast<WPARAM>(code);
    }
    void add_input(InputEvent event)
    {
        input_.push_back(std::move(event));
    }
    void add_system_send(const SystemSend &send)
    {
        sends_.push_back(send);
    }

    bool has_posted_or_quit() const
    {
        return !posted_.empty() || quit_.has_value();
    }

    // Each takes the oldest of its kind: false when there is none.
    bool take_posted(MSG *out);
    bool take_quit(WPARAM *code);
    bool take_input(InputEvent *out);
    bool take_system_send(SystemSend *out);

    // Drops the input and system sends for a window that is going.
    void forget(HWND hwnd);

private:
    std::deque<MSG> posted_;
    std::deque<InputEvent> input_;
    std::deque<SystemSend> sends_;
    std::optional<WPARAM> quit_;
};

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_MESSAGE_QUEUE_H
