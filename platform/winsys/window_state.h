// What an internal window class (the dialog manager's, a control's) keeps
// for each of its windows, as Windows keeps it in the window's extra bytes.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_STATE_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_STATE_H

namespace scribblet::winsys {

// Each class derives its own state from this; the window owns it and frees
// it when the window is destroyed, after WM_DESTROY.
struct WindowState {
    virtual ~WindowState() = default;
};

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_STATE_H
