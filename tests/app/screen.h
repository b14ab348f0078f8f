// Finding the program's windows and their controls on the screen, as the
// person sees them: by caption, by kind, by control id.
#ifndef SCRIBBLET_TESTS_APP_SCREEN_H
#define SCRIBBLET_TESTS_APP_SCREEN_H

#include <QApplication>
#include <QWidget>

#include "platform/platform.h"
#include "platform/qt/peers.h"

namespace person {

// The visible top-level window of type T (a message box, the file dialog),
// or nullptr.
template <typename T> T *OpenWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<T *>(widget);
            found != nullptr && found->isVisible())
            return found;
    return nullptr;
}

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
// The Qt control (a QLineEdit, QPushButton, QLabel) inside dialog control
// `id` of the dialog shown by `dialog`.
template <typename T = QWidget> T *dialog_control(QWidget *dialog, int id)
{
    QWidget *client = scribblet::qt::window_widget(window_inside(dialog));
    return client != nullptr ? client->findChild<T *>(QString::number(id))
                             : nullptr;
}

} // namespace person

#endif // SCRIBBLET_TESTS_APP_SCREEN_H
