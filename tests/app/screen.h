// The person at the screen. What they see: the program's windows and their
// controls, by caption, by kind, by control id. What they do, to the program
// run in-process (program_run.cpp): WinMain runs the program's own message
// loop while the steps, polled from inside that loop and every modal loop
// the program opens, wait for what a person waits for and then act.
#ifndef SCRIBBLET_TESTS_APP_SCREEN_H
#define SCRIBBLET_TESTS_APP_SCREEN_H

#include <QApplication>
#include <QSize>
#include <QWidget>
#include <deque>
#include <functional>

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

namespace app_test {

using namespace person;
// True once it could act; tried again until then.
using Step = std::function<bool()>;
using Steps = std::deque<Step>;

// Runs WinMain with the program's resources while the steps act; returns
// WinMain's result. Fails the test when a step never could act. The canvas
// goes with the run, so that the next run makes its own.
int run_program(Steps steps);

// A step that waits until `ready` holds, then runs `act`; one that acts on
// the main window once it is shown, and one that closes it there.
Step when(std::function<bool()> ready, std::function<void()> act);
Step on_main_window(std::function<void()> act);
Step close_main_window();
// A step answering the size dialog with these texts and `key`; a null text
// leaves its field as it is.
Step answer(const QString &width, const QString &height,
            Qt::Key key = Qt::Key_Return);
// A step waiting for a message box, expecting "caption: text" of it and
// dismissing it with Enter.
Step told(const QString &message);

// Sends the main window a message, with a client point for the pointer's.
void send(UINT message, WPARAM wParam, int x = 0, int y = 0);
// The canvas's pixel at (x, y) as 0xRRGGBB (0xFFFFFFFF without a canvas).
unsigned canvas_pixel(int x, int y);
// The main window's client area as the program sees it.
QSize client_size();

} // namespace app_test

#endif // SCRIBBLET_TESTS_APP_SCREEN_H
