// What the dialog tests share: an owner window, the user's view of the
// windows that are open, and a script of steps that acts as the user while
// a modal window runs.
#ifndef SCRIBBLET_TESTS_DIALOGS_DIALOG_TEST_SUPPORT_H
#define SCRIBBLET_TESTS_DIALOGS_DIALOG_TEST_SUPPORT_H

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

#include "platform/platform.h"
#include "platform/qt/peers.h"

namespace scribblet::dialogs_test {

// A shown top-level window of a plain class, destroyed with the object.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow &) = delete;
    OwnerWindow &operator=(const OwnerWindow &) = delete;
    HWND hwnd() const
    {
        return hwnd_;
    }

private:
    HWND hwnd_;
};

// Steps taken one after the other from a Qt timer, inside the modal loop
// of the call under test. Each step is tried every few milliseconds until
// it reports that it could act (its window was there); then the next one
// is tried. After a time limit whatever is still open is closed, so a call
// that would wait for ever returns and the test fails.
class UserScript {
public:
    using Step = std::function<bool()>;

    explicit UserScript(std::deque<Step> steps);
    UserScript(const UserScript &) = delete;
    UserScript &operator=(const UserScript &) = delete;

    // True when every step has acted.
    bool finished() const
    {
        return steps_.empty();
    }

private:
    void tick();

    std::deque<Step> steps_;
    QTimer timer_;
    int ticks_left_;
};

// The Qt top-level window of a window of ours, and whether it is shown.
QWidget *TopLevelWidget(HWND hwnd);
bool IsShown(HWND hwnd);

// The visible top-level Qt window of type T that is not one of ours.
template <typename T> T *OpenWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<T *>(widget);
            found != nullptr && found->isVisible())
            return found;
    return nullptr;
}

// The widget of a dialog's control (a QLineEdit, QPushButton, QLabel),
// named by the control's id.
template <typename T> T *ControlWidget(HWND dialog, int id)
{
    QWidget *client = qt::window_widget(dialog);
    return client != nullptr ? client->findChild<T *>(QString::number(id))
                             : nullptr;
}

} // namespace scribblet::dialogs_test

#endif
