// A recording window class on the real window system and its Qt edge.
#ifndef SCRIBBLET_TESTS_WINSYS_WINSYS_FIXTURE_H
#define SCRIBBLET_TESTS_WINSYS_WINSYS_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/platform.h"

class QWidget;

namespace winsys_test {

// What the recording procedure saw, in order.
struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WinsysTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A top-level window of the recording class (menu 109 and icon 107 of the
    // program's resources, both scroll bars, a sizing border), not yet shown.
    HWND make_window(int width = 300, int height = 200,
                     DWORD style = WS_OVERLAPPEDWINDOW | WS_HSCROLL |
                                   WS_VSCROLL);
    // The messages seen with this id, in order.
    std::vector<Seen> seen(UINT message) const;
    // Every message id seen, in order.
    std::vector<UINT> seen_ids() const;
    // Takes and dispatches every message until the queue is empty and Qt
    // has no more events; returns the ids taken, in order.
    std::vector<UINT> pump();
    // The Qt client widget of a window.
    QWidget *client(HWND hwnd) const;

public:
    // Answers that the procedure gives, by message id (else DefWindowProcA).
    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> answers;
    std::vector<Seen> log;
    std::vector<HWND> windows;
};

// The name of the recording class (CS_HREDRAW | CS_VREDRAW, no double
// clicks).
extern const char *const recording_class;

} // namespace winsys_test

#endif // SCRIBBLET_TESTS_WINSYS_WINSYS_FIXTURE_H
