// The queue's order, sending, dispatching, quitting and the modal loop.
#include <QTest>
#include <QWidget>

#include "platform/winsys/window_system.h"
#include "winsys_fixture.h"

using namespace winsys_test;

using WinsysMessages = WinsysTest;

namespace {

std::vector<UINT> only(const std::vector<UINT> &ids, std::vector<UINT> keep)
{
    std::vector<UINT> out;
    for (UINT id : ids)
        if (std::find(keep.begin(), keep.end(), id) != keep.end())
            out.push_back(id);
    return out;
}

} // namespace

TEST_F(WinsysMessages, PostedComeBeforeInputAndInputBeforePaint)
{
    HWND hwnd = make_window();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    InvalidateRect(hwnd, nullptr, FALSE);
    QTest::mousePress(client(hwnd), Qt::LeftButton, {}, QPoint(5, 6));
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    PostMessageA(hwnd, WM_USER + 2, 0, 0);
    const std::vector<UINT> taken = pump();
    EXPECT_EQ(only(taken, {WM_USER + 1, WM_USER + 2, WM_LBUTTONDOWN, WM_PAINT}),
              (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_LBUTTONDOWN,
                                 WM_PAINT}));
    QTest::mouseRelease(client(hwnd), Qt::LeftButton, {}, QPoint(5, 6));
}

TEST_F(WinsysMessages, MessagePostedWhileHandlingInputComesBeforeLaterInput)
{
    HWND hwnd = make_window();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    answers[WM_LBUTTONDOWN] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        PostMessageA(h, WM_USER + 5, 0, 0);
        return 0;
    };
    QTest::mousePress(client(hwnd), Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseMove(client(hwnd), QPoint(9, 9));
    QTest::mouseRelease(client(hwnd), Qt::LeftButton, {}, QPoint(9, 9));
    EXPECT_EQ(
        only(pump(), {WM_LBUTTONDOWN, WM_USER + 5, WM_MOUSEMOVE, WM_LBUTTONUP}),
        (std::vector<UINT>{WM_LBUTTONDOWN, WM_USER + 5, WM_MOUSEMOVE,
                           WM_LBUTTONUP}));
}

TEST_F(WinsysMessages, QuitComesOnceNothingPostedWaitsAndEndsTheLoop)
{
    HWND hwnd = make_window();
    PostQuitMessage(7);
    PostMessageA(hwnd, WM_USER + 3, 0, 0);
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, UINT{WM_USER + 3});
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, UINT{WM_QUIT});
    EXPECT_EQ(msg.wParam, WPARAM{7});
}

TEST_F(WinsysMessages, SendCallsTheProcedureAtOnceAndStaleHandlesFail)
{
    answers[WM_USER + 4] = [](HWND, WPARAM w, LPARAM l) -> LRESULT {
        return static_cast<LRESULT>(w) + l;
    };
    HWND hwnd = make_window();
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 4, 40, 2), 42);
    const MSG msg{hwnd, WM_USER + 4, 1, 2, 0, POINT{}};
    EXPECT_EQ(DispatchMessageA(&msg), 3);
    DestroyWindow(hwnd);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 4, 40, 2), 0);
    EXPECT_EQ(PostMessageA(hwnd, WM_USER + 4, 0, 0), FALSE);
}

TEST_F(WinsysMessages, ModalLoopRunsUntilDoneAndPassesQuitOutwards)
{
    HWND hwnd = make_window();
    bool done = false;
    answers[WM_USER + 6] = [&done](HWND, WPARAM, LPARAM) -> LRESULT {
        done = true;
        return 0;
    };
    int filtered = 0;
    PostMessageA(hwnd, WM_USER + 7, 0, 0);
    PostMessageA(hwnd, WM_USER + 6, 0, 0);
    EXPECT_TRUE(scribblet::winsys::run_modal_loop([&done] { return done; },
                                                  [&filtered](MSG &m) {
                                                      return m.message ==
                                                                 WM_USER + 7 &&
                                                             ++filtered;
                                                  }));
    EXPECT_EQ(filtered, 1);
    EXPECT_TRUE(seen(WM_USER + 7).empty());

    PostQuitMessage(3);
    EXPECT_FALSE(scribblet::winsys::run_modal_loop([] { return false; }, {}));
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, WPARAM{3});
}

TEST_F(WinsysMessages, InputForADisabledWindowIsDropped)
{
    HWND hwnd = make_window();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    EXPECT_FALSE(scribblet::winsys::enable_window(hwnd, false));
    EXPECT_FALSE(client(hwnd)->isEnabled());
    scribblet::winsys::queue_input(
        MSG{hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, POINT{}});
    pump();
    EXPECT_TRUE(seen(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(scribblet::winsys::enable_window(hwnd, true));
    scribblet::winsys::queue_input(
        MSG{hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, POINT{}});
    pump();
    EXPECT_EQ(seen(WM_LBUTTONDOWN).size(), 1u);
}
