// The window system's internal interface: what the rest of the layer under
// platform/ (the dialogs, the Qt edge, tests) may use beyond the Windows
// calls themselves. Program code never includes this header.
//
// Windows are records in a handle table (HandleKind::window). Each record
// keeps what Windows keeps for a window: its class (style, procedure), its
// styles, the window and client rectangles, the update region (a bounding
// rectangle), whether it is visible and enabled, its parent (WS_CHILD) or
// owner, its menu or child id, and the toolkit peer that shows it.
//
// Everything here runs on the program's one thread.
//
// Internal window classes: register them with RegisterClassExA like any
// other class; the class's lpfnWndProc is the window procedure. A dialog is
// then a top-level window of the dialog class (its procedure calls the
// user's DLGPROC and falls back to DefWindowProcA), and each control a
// WS_CHILD window of a control class whose hMenu argument is its id.
//
// Windows and Qt: every window has a Qt widget once the Qt edge is installed
// (platform/qt/qt_edge.h, platform/qt/window_widgets.h). Key presses that no
// Qt control takes become WM_KEYDOWN/WM_SYSKEYDOWN input for the window whose
// widget received them; mouse input over a child container not taken by its
// Qt control goes to that child.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_SYSTEM_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_SYSTEM_H

#include <functional>

#include "platform/platform.h"

namespace scribblet::winsys {

// ---------------------------------------------------------------------------
// Windows
// ---------------------------------------------------------------------------

// True when hwnd names a live window of ours.
bool is_window(HWND hwnd);

// The parent of a WS_CHILD window, NULL for a top-level one.
HWND parent_of(HWND hwnd);

// The owner of a top-level window (the hWndParent given to CreateWindowExA
// without WS_CHILD), NULL for none or for a child.
HWND owner_of(HWND hwnd);

// The top-level window that hwnd belongs to (hwnd itself for a top-level
// window), NULL when hwnd is not a window.
HWND top_level_of(HWND hwnd);

// The child id (the hMenu argument of CreateWindowExA for a WS_CHILD window),
// 0 for a top-level window or an unknown handle.
int child_id_of(HWND hwnd);

// The direct child of parent with the given id, NULL when none: the search
// that GetDlgItem makes.
HWND find_child(HWND parent, int id);

// Every live direct child of parent, in creation order.
void for_each_child(HWND parent, const std::function<void(HWND)> &visit);

// Enables or disables a window for mouse and keyboard input (what
// EnableWindow does). Returns the previous disabled state: true when the
// window was disabled before, as EnableWindow's result. A disabled
// top-level window takes no input, and its Qt widget is disabled.
bool enable_window(HWND hwnd, bool enable);
bool is_window_enabled(HWND hwnd);

// Where the client area's top-left corner is, in screen coordinates
// (ClientToScreen of (0, 0)); (0, 0) for an unknown handle.
POINT client_origin(HWND hwnd);

// The window's style bits (WS_*).
DWORD style_of(HWND hwnd);

// A place for the owner of an internal class to keep its state per window
// (a dialog's DLGPROC and result, say), as GWLP_USERDATA/DWLP_USER offer.
// Both are 0 / ignored for an unknown handle.
void set_window_data(HWND hwnd, LONG_PTR data);
LONG_PTR window_data(HWND hwnd);

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

// Queues an input message (mouse, keyboard, the close box) for hwnd, in the
// order the user made it. Posted messages are taken before it, WM_PAINT
// after it. Input for a disabled window (or one under a disabled top-level
// window) is dropped, as Windows gives a disabled window no input.
void queue_input(const MSG &msg);

// Runs a modal message loop (what DialogBoxParamA and MessageBoxA do inside):
// takes messages until done() is true after a message, or WM_QUIT arrives
// (which it posts again, so that the outer loop ends too, as Windows' modal
// loops do). Each message is first offered to filter; when filter returns
// true the message is finished, else TranslateMessage and DispatchMessageA
// handle it. This is where a dialog reads Enter and Escape (the keyboard
// handling of IsDialogMessage). on_idle, when given, is called whenever the
// queue has run empty, before the loop waits (Windows' WM_ENTERIDLE moment:
// a dialog shows itself then). Returns false when the loop ended on WM_QUIT
// or on a failed GetMessageA.
bool run_modal_loop(const std::function<bool()> &done,
                    const std::function<bool(MSG &)> &filter,
                    const std::function<void()> &on_idle = {});

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_SYSTEM_H
