// The real program run in-process and acted on as a person acts: WinMain
// runs the program's own message loop while the steps, polled from inside
// that loop and every modal loop the program opens, wait for what a person
// waits for on the screen (found with screen.h) and then act.
#ifndef SCRIBBLET_TESTS_APP_PROGRAM_RUN_H
#define SCRIBBLET_TESTS_APP_PROGRAM_RUN_H

#include <QSize>
#include <deque>
#include <functional>

#include "tests/app/screen.h"

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

#endif // SCRIBBLET_TESTS_APP_PROGRAM_RUN_H
