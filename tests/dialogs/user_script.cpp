#include "user_script.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace scribblet::dialogs_test {
namespace {

constexpr int kTickMilliseconds = 5;
constexpr int kTimeLimitTicks = 2000; // ten seconds

// A script that cannot go on closes what is open, so the call under test
// returns and the test fails instead of hanging.
void CloseEverything()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QDialog *>(widget))
            dialog->reject();
        else if (widget->isVisible())
            widget->close();
    }
}

} // namespace

UserScript::UserScript(std::deque<Step> steps)
    : steps_(std::move(steps)), ticks_left_(kTimeLimitTicks)
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    timer_.start(kTickMilliseconds);
}

UserScript::~UserScript() { timer_.stop(); }

void UserScript::tick()
{
    if (--ticks_left_ == 0) {
        timer_.stop();
        CloseEverything();
        return;
    }
    if (steps_.empty())
        return;
    // Taken off first: a step may open a modal window of its own.
    Step step = std::move(steps_.front());
    steps_.pop_front();
    if (!step())
        steps_.push_front(std::move(step));
}

} // namespace scribblet::dialogs_test
