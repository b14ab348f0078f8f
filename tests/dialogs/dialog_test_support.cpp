#include "dialog_test_support.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace scribblet::dialogs_test {

OwnerWindow::OwnerWindow()
{
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "DialogsTestOwner";
        return RegisterClassExA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    hwnd_ =
        CreateWindowExA(0, "DialogsTestOwner", "Owner", WS_OVERLAPPEDWINDOW, 60,
                        50, 500, 400, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hwnd_, SW_SHOW);
}

OwnerWindow::~OwnerWindow()
{
    DestroyWindow(hwnd_);
}

QWidget *TopLevelWidget(HWND hwnd)
{
    QWidget *client = qt::window_widget(hwnd);
    return client != nullptr ? client->window() : nullptr;
}

bool IsShown(HWND hwnd)
{
    const QWidget *top = TopLevelWidget(hwnd);
    return top != nullptr && top->isVisible();
}

UserScript::UserScript(std::deque<Step> steps)
    : steps_(std::move(steps)), ticks_left_(2000) // ten seconds
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    timer_.start(5);
}

void UserScript::tick()
{
    if (--ticks_left_ == 0) {
        timer_.stop();
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QDialog *>(widget))
                dialog->reject();
            else if (widget->isVisible())
                widget->close();
        }
    } else if (!steps_.empty()) {
        // Taken off first: a step may open a modal window of its own.
        Step step = std::move(steps_.front());
        steps_.pop_front();
        if (!step())
            steps_.push_front(std::move(step));
    }
}

} // namespace scribblet::dialogs_test
