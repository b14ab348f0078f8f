// Finding the program's windows and their controls on the screen, as the
// person sees them: by caption, by kind, by control id.
#ifndef SCRIBBLET_TESTS_APP_SCREEN_H
#define SCRIBBLET_TESTS_APP_SCREEN_H

#include "tests/dialogs/dialog_test_support.h"

namespace person {

using scribblet::dialogs_test::OpenWindow;

// The visible top-level widget with this caption, or nullptr.
QWidget *window_titled(const QString &caption);
// The main window's top-level widget, its HWND and its client widget.
QWidget *main_window();
HWND main_hwnd();
QWidget *main_client();
// The canvas-size dialog, when shown.
QWidget *size_dialog();
// The top-level window (HWND) whose widgets lie inside `top_level`.
HWND window_inside(QWidget *top_level);
// The Qt control inside dialog control `id` of the dialog shown by `dialog`.
template <typename T = QWidget> T *dialog_control(QWidget *dialog, int id)
{
    return scribblet::dialogs_test::ControlWidget<T>(window_inside(dialog), id);
}

} // namespace person

#endif // SCRIBBLET_TESTS_APP_SCREEN_H
