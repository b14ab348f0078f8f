// The queue's order, and mouse and keyboard input as the user makes it,
// through Qt.
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "winsys_fixture.h"

using namespace winsys_test;

using WinsysInput = WinsysTest;

static QPoint position(const Seen &s)
{
    return QPoint(GET_X_LPARAM(s.lParam), GET_Y_LPARAM(s.lParam));
}

// Posted messages first, then input in the order it happened (a message
// posted while input is handled comes before later input), then WM_PAINT.
// Buttons and moves carry the key state and signed positions; a release
// no longer holds the button it releases; every move arrives unmerged (a
// stroke needs them all), and a double click is two clicks.
TEST_F(WinsysInput, InputArrivesAsMadeAfterPostedMessagesBeforePaint)
{
    HWND hwnd = shown_window();
    answers[WM_RBUTTONDOWN] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        PostMessageA(h, WM_USER + 3, 0, 0);
        return 0;
    };
    InvalidateRect(hwnd, nullptr, FALSE);
    QWidget *area = client(hwnd);
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
    EXPECT_EQ(seen(WM_RBUTTONDOWN)[0].wParam, WPARAM{MK_RBUTTON | MK_SHIFT});
    EXPECT_EQ(position(seen(WM_RBUTTONDOWN)[0]), QPoint(12, 34));
    const std::vector<Seen> moves = seen(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 52u) << "and the double click's move to its place";
    EXPECT_EQ(moves[0].wParam & MK_RBUTTON, WPARAM{MK_RBUTTON});
    EXPECT_EQ(position(moves[0]), QPoint(-30, -40));
    EXPECT_EQ(position(moves[50]), QPoint(59, 10));
    EXPECT_EQ(position(moves[51]), QPoint(8, 8));
    ASSERT_EQ(seen(WM_RBUTTONUP).size(), 1u);
    EXPECT_EQ(seen(WM_RBUTTONUP)[0].wParam, WPARAM{MK_CONTROL});
    EXPECT_EQ(seen(WM_LBUTTONDOWN).size(), 2u);
    // A disabled window takes no input.
    scribblet::winsys::enable_window(hwnd, false);
    scribblet::winsys::queue_input(MSG{hwnd, WM_LBUTTONDOWN, 0, 0, 0, {}});
    EXPECT_TRUE(pump({WM_LBUTTONDOWN}).empty());
}

TEST_F(WinsysInput, CaptureDeliversMovesOutsideTheClientAreaUntilReleased)
{
    HWND hwnd = shown_window();
    QWidget *area = client(hwnd);
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
        const std::vector<Seen> moves = seen(WM_MOUSEMOVE);
        EXPECT_EQ(moves.size(), captured ? 1u : 0u);
        for (const Seen &move : moves)
            EXPECT_EQ(position(move), in_client + QPoint(1, 0));
    }
}

// Alt and a key are system keys and a system character; the program's
// table turns Alt+? and Alt+/ into its About command, and the same keys
// without Alt stay plain characters.
TEST_F(WinsysInput, AltKeysAreSystemKeysAndMatchTheAcceleratorTable)
{
    QWidget *area = client(shown_window());
    HACCEL table = LoadAcceleratorsA(scribblet::resources::program_instance(),
                                     MAKEINTRESOURCEA(IDC_SCRIBBLET));
    for (char key : {'x', '?', '/', '>'})
        QTest::keyClick(area, key, Qt::AltModifier);
    for (char key : {'?', '/'})
        QTest::keyClick(area, key);
    MSG msg{};
    while (scribblet::winsys::peek_message(&msg))
        if (!TranslateAcceleratorA(msg.hwnd, table, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    ASSERT_GE(seen(WM_SYSKEYDOWN).size(), 2u);
    EXPECT_EQ(seen(WM_SYSKEYDOWN)[0].wParam, WPARAM{VK_MENU});
    EXPECT_EQ(seen(WM_SYSKEYDOWN)[1].wParam, WPARAM{'X'});
    EXPECT_NE(seen(WM_SYSKEYDOWN)[1].lParam & (1 << 29), 0);
    std::map<UINT, std::vector<WPARAM>> words;
    for (const Seen &s : log)
        words[s.message].push_back(s.wParam);
    EXPECT_EQ(words[WM_SYSCHAR], (std::vector<WPARAM>{'x', '>'}));
    EXPECT_EQ(words[WM_COMMAND], (std::vector<WPARAM>(2, IDM_ABOUT | 1 << 16)));
    EXPECT_EQ(words[WM_CHAR], (std::vector<WPARAM>{'?', '/'}));
}
