// Acting as the user while a modal window runs: steps taken one after the
// other from Qt timers, inside the modal loop of the call under test.
#ifndef SCRIBBLET_TESTS_DIALOGS_USER_SCRIPT_H
#define SCRIBBLET_TESTS_DIALOGS_USER_SCRIPT_H

#include <QTimer>
#include <deque>
#include <functional>

namespace scribblet::dialogs_test {

// Each step is tried every few milliseconds until it reports that it could
// act (its window was there); then the next one is tried. Steps left when
// the script is destroyed count as not done. After a time limit whatever
// is still open is closed, so a call that would wait for ever returns.
class UserScript {
public:
    using Step = std::function<bool()>;

    explicit UserScript(std::deque<Step> steps);
    ~UserScript();
    UserScript(const UserScript &) = delete;
    UserScript &operator=(const UserScript &) = delete;

    // True when every step has acted.
    bool finished() const { return steps_.empty(); }

private:
    void tick();

    std::deque<Step> steps_;
    QTimer timer_;
    int ticks_left_;
};

} // namespace scribblet::dialogs_test

#endif
