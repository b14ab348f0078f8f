// Finding the program's windows and their controls on the screen, as the
// person sees them: by caption, by kind, by control id.
#ifndef SCRIBBLET_TESTS_APP_SCREEN_H
#define SCRIBBLET_TESTS_APP_SCREEN_H

#include <QString>

#include "platform/platform.h"

class QWidget;
class QLineEdit;
class QMessageBox;
class QFileDialog;

namespace person {

// The visible top-level widget with this caption, or nullptr.
QWidget *window_titled(const QString &caption);
// The main window's top-level widget, its HWND and its client widget.
QWidget *main_window();
HWND main_hwnd();
QWidget *main_client();
// The canvas-size dialog and the About box, when shown.
QWidget *size_dialog();
QWidget *about_box();
// The visible message box, if any, and its text.
QMessageBox *message_box();
// The visible save dialog, if any.
QFileDialog *save_dialog();
// The Qt control inside dialog control `id` of the dialog shown by `dialog`.
QWidget *dialog_control(QWidget *dialog, int id);
QLineEdit *dialog_edit(QWidget *dialog, int id);

} // namespace person

#endif // SCRIBBLET_TESTS_APP_SCREEN_H
