// What the dialog tests share: an owner window, and the user's view of
// the windows that are open.
#ifndef SCRIBBLET_TESTS_DIALOGS_DIALOG_TEST_SUPPORT_H
#define SCRIBBLET_TESTS_DIALOGS_DIALOG_TEST_SUPPORT_H

#include <QWidget>

#include "platform/platform.h"

namespace scribblet::dialogs_test {

// A shown top-level window of a plain class, destroyed with the object.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow &) = delete;
    OwnerWindow &operator=(const OwnerWindow &) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

// The Qt top-level window of a window of ours, and whether it is shown.
QWidget *TopLevelWidget(HWND hwnd);
bool IsShown(HWND hwnd);

// The visible top-level Qt window of type T that is not one of ours.
template <typename T>
T *OpenWindow();

// The widget inside a control's window (a QLineEdit, QPushButton, QLabel).
template <typename T>
T *ControlWidget(HWND dialog, int id);

} // namespace scribblet::dialogs_test

#include <QApplication>

#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_system.h"

namespace scribblet::dialogs_test {

template <typename T>
T *OpenWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<T *>(widget);
            found != nullptr && found->isVisible())
            return found;
    return nullptr;
}

template <typename T>
T *ControlWidget(HWND dialog, int id)
{
    QWidget *container = qt::window_widget(GetDlgItem(dialog, id));
    return container != nullptr ? container->findChild<T *>() : nullptr;
}

} // namespace scribblet::dialogs_test

#endif
