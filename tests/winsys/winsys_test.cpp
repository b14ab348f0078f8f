// The window system and its Qt edge on real Qt, through windows of a
// recording class: the queue's order, input as the user makes it, capture,
// accelerators and tracking sizes. (A display scaled by two is the Wayland
// journey's.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/peers.h"
#include "platform/resources/resource_reader.h"
#include "platform/winsys/dialog_support.h"
#include "res/resource.h"

namespace {

using scribblet::qt::window_widget;

QPoint position(const MSG &s)
{
    return QPoint(GET_X_LPARAM(s.lParam), GET_Y_LPARAM(s.lParam));
}

// The class (with the program's menu) logs every message its windows get
// and gives the test's answers.
class WinsysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        current = this;
        static const ATOM registered = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = recording_proc;
            wc.hInstance = scribblet::resources::program_instance();
            wc.lpszMenuName = MAKEINTRESOURCEA(IDC_SCRIBBLET);
            wc.lpszClassName = "WinsysTestRecording";
            return RegisterClassExA(&wc);
        }();
        ASSERT_NE(registered, 0);
    }

    void TearDown() override
    {
        for (HWND hwnd : windows)
            DestroyWindow(hwnd);
        pump(); // what the test left goes before the next test
        current = nullptr;
    }

    HWND make_window(int width, int height, DWORD style)
    {
        windows.push_back(CreateWindowExA(0, "WinsysTestRecording", "Test",
                                          style, 40, 30, width, height, nullptr,
                                          nullptr, nullptr, nullptr));
        return windows.back();
    }

    // A window shown and painted, the log cleared.
    HWND shown_window(int width = 300, int height = 200)
    {
        HWND hwnd = make_window(width, height, WS_OVERLAPPEDWINDOW);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        pump();
        log.clear();
        return hwnd;
    }

    std::vector<MSG> seen(UINT message) const
    {
        std::vector<MSG> out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out),
                     [message](const MSG &s) { return s.message == message; });
        return out;
    }

    // Runs the messages, through the accelerator table if one is given,
    // until the queue has run empty and Qt has no more events; returns the
    // ids taken (those in `keep`, if any), in order.
    std::vector<UINT> pump(const std::vector<UINT> &keep = {},
                           HACCEL table = nullptr)
    {
        std::vector<UINT> taken;
        bool idle = false;
        scribblet::winsys::run_modal_loop(
            [&idle] { return idle; },
            [&](MSG &msg) {
                if (keep.empty() ||
                    std::count(keep.begin(), keep.end(), msg.message))
                    taken.push_back(msg.message);
                return TranslateAcceleratorA(msg.hwnd, table, &msg) != 0;
            },
            [&idle] {
                // A thread message that nothing handles ends the loop.
                if (!idle)
                    PostMessageA(nullptr, WM_NULL, 0, 0);
                idle = true;
            });
        return taken;
    }

    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> answers;
    std::vector<MSG> log;
    std::vector<HWND> windows;

private:
    inline static WinsysTest *current = nullptr;

    static LRESULT CALLBACK recording_proc(HWND hwnd, UINT message,
                                           WPARAM wParam, LPARAM lParam)
    {
        if (WinsysTest *test = current) {
            test->log.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
            if (auto it = test->answers.find(message);
                it != test->answers.end())
                return it->second(hwnd, wParam, lParam);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

using WinsysInput = WinsysTest;
using WinsysWindows = WinsysTest;

// Posted messages first, then input in the order it happened (a message
// posted while input is handled comes before later input), then WM_PAINT.
// Buttons and moves carry the buttons held and signed positions; every move
// arrives unmerged (a stroke needs them all); a double click is two clicks.
TEST_F(WinsysInput, InputArrivesAsMadeAfterPostedMessagesBeforePaint)
{
    HWND hwnd = shown_window();
    answers[WM_RBUTTONDOWN] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        PostMessageA(h, WM_USER + 3, 0, 0);
        return 0;
    };
    InvalidateRect(hwnd, nullptr, FALSE);
    QWidget *area = window_widget(hwnd);
    QTest::mousePress(area, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
    QTest::mouseMove(area, QPoint(-30, -40));
    QTest::mouseRelease(area, Qt::RightButton, Qt::ControlModifier,
                        QPoint(-30, -40));
    QWindow *window = area->window()->windowHandle();
    const QPoint origin = area->mapTo(area->window(), QPoint(0, 0));
    for (int i = 0; i < 50; ++i)
        QTest::mouseMove(window, origin + QPoint(10 + i, 10 + i % 7));
    QTest::mouseDClick(window, Qt::LeftButton, {}, origin + QPoint(8, 8));
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    PostMessageA(hwnd, WM_USER + 2, 0, 0);
    EXPECT_EQ(pump({WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_RBUTTONDOWN,
                    WM_RBUTTONUP, WM_PAINT}),
              (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_RBUTTONDOWN,
                                 WM_USER + 3, WM_RBUTTONUP, WM_PAINT}));
    ASSERT_EQ(seen(WM_RBUTTONDOWN).size(), 1u);
    EXPECT_EQ(seen(WM_RBUTTONDOWN)[0].wParam, WPARAM{MK_RBUTTON});
    EXPECT_EQ(position(seen(WM_RBUTTONDOWN)[0]), QPoint(12, 34));
    const std::vector<MSG> moves = seen(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 52u) << "and the double click's move to its place";
    EXPECT_EQ(moves[0].wParam & MK_RBUTTON, WPARAM{MK_RBUTTON});
    EXPECT_EQ(position(moves[0]), QPoint(-30, -40));
    EXPECT_EQ(position(moves[50]), QPoint(59, 10));
    EXPECT_EQ(position(moves[51]), QPoint(8, 8));
    EXPECT_EQ(seen(WM_RBUTTONUP).size(), 1u);
    EXPECT_EQ(seen(WM_LBUTTONDOWN).size(), 2u);
    // A disabled window takes no input.
    scribblet::winsys::enable_window(hwnd, false);
    scribblet::winsys::queue_input(hwnd, WM_LBUTTONDOWN);
    EXPECT_TRUE(pump({WM_LBUTTONDOWN}).empty());
}

TEST_F(WinsysInput, CaptureDeliversMovesOutsideTheClientAreaUntilReleased)
{
    HWND hwnd = shown_window();
    QWidget *area = window_widget(hwnd);
    // A point over the menu bar: not the client area's. Released, nothing
    // holds the capture: setting it again finds none.
    const QPoint over_menu(30, 2);
    const QPoint in_client = area->mapFrom(area->window(), over_menu);
    ASSERT_LT(in_client.y(), 0);
    for (const bool captured : {false, true, false, true}) {
        EXPECT_TRUE(captured ? SetCapture(hwnd) == nullptr : ReleaseCapture());
        log.clear();
        QTest::mouseMove(area->window()->windowHandle(),
                         over_menu + QPoint(captured, 0));
        pump();
        const std::vector<MSG> moves = seen(WM_MOUSEMOVE);
        EXPECT_EQ(moves.size(), captured ? 1u : 0u);
        for (const MSG &move : moves)
            EXPECT_EQ(position(move), in_client + QPoint(1, 0));
    }
}

// Alt and a key make a system character; the program's table turns Alt+?
// and Alt+/ into its About command, and the same keys without Alt stay
// plain characters.
TEST_F(WinsysInput, AltKeysAreSystemKeysAndMatchTheAcceleratorTable)
{
    QWidget *area = window_widget(shown_window());
    HACCEL table = LoadAcceleratorsA(scribblet::resources::program_instance(),
                                     MAKEINTRESOURCEA(IDC_SCRIBBLET));
    for (char key : {'x', '?', '/', '>'})
        QTest::keyClick(area, key, Qt::AltModifier);
    for (char key : {'?', '/'})
        QTest::keyClick(area, key);
    pump({}, table);
    std::map<UINT, std::vector<WPARAM>> words;
    for (const MSG &s : log)
        words[s.message].push_back(s.wParam);
    EXPECT_EQ(words[WM_SYSCHAR], (std::vector<WPARAM>{'x', '>'}));
    EXPECT_EQ(words[WM_COMMAND], (std::vector<WPARAM>(2, IDM_ABOUT | 1 << 16)));
    EXPECT_EQ(words[WM_CHAR], (std::vector<WPARAM>{'?', '/'}));
}

// Created or sized, a top-level window but a popup keeps within its
// tracking sizes: by default the screen and Windows' smallest, else what
// the procedure answers. Dragging a sizing border keeps to the same; a
// window without one keeps its size.
// WM_DESTROY reaches a parent before its children, and every child goes
// with it, one that a sibling's procedure destroys meanwhile too.
TEST_F(WinsysWindows, ChildrenGoWithTheirParent)
{
    HWND parent = make_window(300, 200, WS_OVERLAPPEDWINDOW);
    const auto child = [parent] {
        return CreateWindowExA(0, "WinsysTestRecording", "", WS_CHILD, 0, 0, 10,
                               10, parent, nullptr, nullptr, nullptr);
    };
    HWND first = child(), second = child();
    answers[WM_DESTROY] = [first, second](HWND hwnd, WPARAM, LPARAM) {
        if (hwnd == first)
            DestroyWindow(second);
        return LRESULT{0};
    };
    log.clear();
    DestroyWindow(parent);
    std::vector<HWND> destroyed;
    for (const MSG &m : seen(WM_DESTROY))
        destroyed.push_back(m.hwnd);
    EXPECT_EQ(destroyed, (std::vector<HWND>{parent, first, second}));
    RECT r;
    EXPECT_FALSE(GetClientRect(second, &r));
}

TEST_F(WinsysWindows, SizesStayWithinTheTrackingSizes)
{
    const QSize screen = QGuiApplication::primaryScreen()->virtualSize();
    const struct {
        DWORD style;
        LONG largest; // the procedure's ptMaxTrackSize, 0 to leave it
        QSize created, sized, expected;
    } cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, {5000, 4000}, {}, screen},
        {WS_OVERLAPPED, 0, {300, 200}, {5000, 4000}, screen},
        {WS_OVERLAPPEDWINDOW, 400, {300, 200}, {5000, 300}, {400, 300}},
        {WS_OVERLAPPEDWINDOW, 0, {300, 200}, {20, 10}, {112, 27}},
        {WS_POPUP | WS_CAPTION, 0, {1500, 1000}, {1400, 900}, {1400, 900}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected.width());
        answers[WM_GETMINMAXINFO] = [&c](HWND, WPARAM, LPARAM l) -> LRESULT {
            if (c.largest != 0)
                reinterpret_cast<MINMAXINFO *>(l)->ptMaxTrackSize =
                    POINT{c.largest, c.largest};
            return 0;
        };
        HWND hwnd = make_window(c.created.width(), c.created.height(), c.style);
        if (!c.sized.isEmpty())
            SetWindowPos(hwnd, nullptr, 0, 0, c.sized.width(), c.sized.height(),
                         SWP_NOMOVE);
        RECT r{};
        GetWindowRect(hwnd, &r);
        EXPECT_EQ(QSize(r.right - r.left, r.bottom - r.top), c.expected);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        pump();
        const QWidget *top = window_widget(hwnd)->window();
        EXPECT_EQ(top->size(), c.expected);
        const bool sizing = (c.style & WS_THICKFRAME) != 0;
        EXPECT_EQ(top->maximumSize(), !sizing ? c.expected
                                      : c.largest != 0
                                          ? QSize(c.largest, c.largest)
                                          : screen);
        EXPECT_EQ(top->minimumSize(), sizing ? QSize(112, 27) : c.expected);
    }
}

} // namespace
