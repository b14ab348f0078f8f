// Plays the person at the keyboard and mouse while the real program runs
// in-process: WinMain runs the program's own message loop, and a script of
// steps, polled by a Qt timer from inside that loop (and inside every modal
// loop the program opens), waits for what the person would wait for on the
// screen and then acts with real Qt input events.
#ifndef SCRIBBLET_TESTS_APP_PERSON_H
#define SCRIBBLET_TESTS_APP_PERSON_H

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/app/screen.h"

class QWidget;
class QLineEdit;

namespace person {

// A script: steps taken in order. Each step waits until `ready` holds (or
// has no condition) and then runs `act`.
class Script {
public:
    Script &then(std::string what, std::function<bool()> ready,
                 std::function<void()> act);
    // A step that only acts, as soon as the previous step has.
    Script &then(std::string what, std::function<void()> act);

    // Runs WinMain with the program's own resources and this script; returns
    // WinMain's result. A step still waiting after `timeout_ms` fails the
    // test, and the program is then made to quit with code 99.
    int run(int timeout_ms = 30000);

private:
    struct Step {
        std::string what;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    void poll();
    // The polls' timers belong to it, and go with the script.
    QObject timers_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    qint64 started_ = 0;
    int timeout_ms_ = 0;
    bool gave_up_ = false;
};

// ---- Common steps ----------------------------------------------------------

// Steps: the size dialog answered with width and height (typed, Enter), and
// the main window then shown.
void answer_size(Script &script, int width, int height);
// A step that lets the program's loop take the input made so far and paint.
void settle(Script &script, const char *what);

// The pens' colours as the window shows them.
inline constexpr QRgb BLACK = 0xFF000000u;
inline constexpr QRgb WHITE = 0xFFFFFFFFu;
inline constexpr QRgb RED = 0xFFFF0000u;
inline constexpr QRgb GREEN = 0xFF00FF00u;
inline constexpr QRgb BLUE = 0xFF0000FFu;

// ---- Acting --------------------------------------------------------------

// Replaces a field's text as a person does: select all, type.
void type_into(QLineEdit *edit, const QString &text);
void press_key(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = {});
void click(QWidget *widget, QPoint at = QPoint(-1, -1));
// Steps that open the main window's menu path[0], then the submenus named
// in the rest of `path`, and click the last item, each once the menu that
// holds it is open. Labels are matched without their '&'.
void choose_menu(Script &script, const std::vector<QString> &path);
// The action of the main window's menu named by `path` (for its state).
bool menu_item_enabled(const std::vector<QString> &path);
// Asks the window system to close the top-level widget (the close box).
void close_window(QWidget *top_level);

// A drag with one button from points[0] through the rest, on the client
// widget: move there, press, move through each point, release.
void drag(Qt::MouseButton button, const std::vector<QPoint> &points);

// ---- What the window shows -------------------------------------------------

QImage shown_client();

// The canvas as the stroke engine defines it, built from the same drags.
class ExpectedCanvas {
public:
    ExpectedCanvas(int width, int height);
    void drag(const std::vector<QPoint> &points, int size, QRgb colour);
    const QImage &image() const
    {
        return image_;
    }

private:
    void segment(QPoint from, QPoint to, int size, QRgb colour);
    QImage image_;
};

// The first pixel where two images differ, described, or "" when equal.
std::string first_difference(const QImage &shown, const QImage &expected);

} // namespace person

#endif // SCRIBBLET_TESTS_APP_PERSON_H
