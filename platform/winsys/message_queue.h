// The thread's message queue. Private to the window system.
#ifndef SCRIBBLET_PLATFORM_WINSYS_MESSAGE_QUEUE_H
#define SCRIBBLET_PLATFORM_WINSYS_MESSAGE_QUEUE_H

#include <string>

#include "platform/platform.h"

namespace scribblet::winsys {

// A queued input message with the keyboard as it was then: the character
// that a key makes and the modifiers held.
struct InputEvent {
    MSG message{};
    std::string text;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The last key message taken from the queue, with its keyboard state (what
// Windows keeps as the thread's keyboard state for TranslateMessage and
// TranslateAcceleratorA).
const InputEvent &keyboard_state();

// Queues a key message with the text it makes and the modifiers held.
void queue_key_input(const MSG &msg, const std::string &text, bool shift,
                     bool control, bool alt);

// Queues a message that the system sends (not posts) to a window: it is
// delivered to the procedure inside the next GetMessageA, before posted
// messages, as Windows delivers messages sent from elsewhere. then, when
// given, is called with the window once the procedure has handled it.
void queue_system_send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       void (*then)(HWND) = nullptr);

// The system command of the close box (Windows' SC_CLOSE).
inline constexpr WPARAM system_command_close = 0xF060;

inline bool is_key_message(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

// Milliseconds since the window system started, for MSG::time.
DWORD message_time();

// Drops whatever is queued for a window that is being destroyed.
void forget_window_messages(HWND hwnd);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_MESSAGE_QUEUE_H
