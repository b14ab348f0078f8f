// What the dialog manager and its controls (platform/dialogs) need of the
// window system beyond the Windows calls: windows by handle, their state,
// and the modal loop. Program code never includes this header.
#ifndef SCRIBBLET_PLATFORM_WINSYS_DIALOG_SUPPORT_H
#define SCRIBBLET_PLATFORM_WINSYS_DIALOG_SUPPORT_H

#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/winsys/window_state.h"

namespace scribblet::winsys {

// A WS_CHILD window's parent and id (the hMenu argument of CreateWindowExA);
// NULL and 0 for a top-level window or an unknown handle.
HWND parent_of(HWND hwnd);
int child_id_of(HWND hwnd);

// The top-level window that hwnd belongs to (hwnd itself for a top-level
// window), NULL when hwnd is not a window.
HWND top_level_of(HWND hwnd);

// The live direct children of parent, in creation order, and the one with
// the given id (NULL when none): the search that GetDlgItem makes.
std::vector<HWND> children_of(HWND parent);
HWND find_child(HWND parent, int id);

// The window's style bits (WS_*), 0 for an unknown handle.
DWORD style_of(HWND hwnd);

// Enables or disables a top-level window for input, as EnableWindow does:
// true when it was disabled before. A disabled window takes no input, nor
// do its children, and it loses the capture.
bool enable_window(HWND hwnd, bool enable);
// Whether the window takes input: live, enabled, in an enabled top-level
// window.
bool takes_input(HWND hwnd);

// Where a top-level window's client area begins, in screen coordinates
// ((0, 0) for an unknown handle).
POINT client_origin(HWND hwnd);

// Queues an input message (a control's click) for hwnd, in the order the
// user made it: after posted messages, before WM_PAINT; dropped for a
// window that takes no input.
void queue_input(HWND hwnd, UINT message);

// Registers an internal window class (the dialog manager's, a control's).
// Windows refuses a class registered again, which changes nothing.
void register_internal_class(const char *name, WNDPROC proc);

// The state that the window's class keeps for it: set (replacing any
// before) and found by its type; nullptr for another type, none, or an
// unknown handle.
void set_window_state(HWND hwnd, std::unique_ptr<WindowState> state);
WindowState *window_state_of(HWND hwnd);
template <typename State> State *window_state(HWND hwnd)
{
    return dynamic_cast<State *>(window_state_of(hwnd));
}

// Runs a modal message loop (DialogBoxParamA's, MessageBoxA's) until done()
// is true after a message. Each message goes to filter first (a dialog's
// Enter and Escape, as IsDialogMessage reads them), and unless it took it,
// to TranslateMessage and DispatchMessageA. on_idle, when set, runs whenever
// the queue has run empty (Windows' WM_ENTERIDLE moment: a dialog shows
// itself then). No WM_QUIT comes meanwhile: the program quits only when its
// main window, which a modal window disables, is destroyed.
void run_modal_loop(const std::function<bool()> &done,
                    const std::function<bool(MSG &)> &filter,
                    const std::function<void()> &on_idle);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_DIALOG_SUPPORT_H
