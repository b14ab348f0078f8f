// Mouse and keyboard input as the user makes it, through Qt.
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/resources/resource_reader.h"
#include "platform/winsys/test_support.h"
#include "platform/winsys/window_system.h"
#include "res/resource.h"
#include "winsys_fixture.h"

using namespace winsys_test;

class WinsysInput : public WinsysTest {
protected:
    HWND shown_window()
    {
        HWND hwnd =
            CreateWindowExA(0, recording_class, "T",
                            WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, 20,
                            20, 300, 200, nullptr, nullptr, nullptr, nullptr);
        windows.push_back(hwnd);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        pump();
        log.clear();
        return hwnd;
    }

    // The main loop of a program with an accelerator table.
    void pump_with_accelerators(HACCEL table)
    {
        MSG msg{};
        while (scribblet::winsys::peek_message(&msg)) {
            if (TranslateAcceleratorA(msg.hwnd, table, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::vector<UINT> buttons_seen() const
    {
        std::vector<UINT> out;
        for (UINT id : seen_ids())
            if (id >= WM_LBUTTONDOWN && id <= WM_RBUTTONUP)
                out.push_back(id);
        return out;
    }
};

TEST_F(WinsysInput, ButtonsAndMovesCarryKeyStateAndSignedPositions)
{
    HWND hwnd = shown_window();
    QWidget *area = client(hwnd);
    QTest::mousePress(area, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
    QTest::mouseMove(area, QPoint(-30, -40));
    QTest::mouseRelease(area, Qt::RightButton, Qt::ShiftModifier,
                        QPoint(-30, -40));
    pump();
    const std::vector<Seen> down = seen(WM_RBUTTONDOWN);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].wParam, WPARAM{MK_RBUTTON | MK_SHIFT});
    EXPECT_EQ(GET_X_LPARAM(down[0].lParam), 12);
    EXPECT_EQ(GET_Y_LPARAM(down[0].lParam), 34);
    const std::vector<Seen> moves = seen(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().wParam & MK_RBUTTON, WPARAM{MK_RBUTTON});
    EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), -30);
    EXPECT_EQ(GET_Y_LPARAM(moves.back().lParam), -40);
    // The release no longer holds the button it releases.
    ASSERT_EQ(seen(WM_RBUTTONUP).size(), 1u);
    EXPECT_EQ(seen(WM_RBUTTONUP)[0].wParam & MK_RBUTTON, WPARAM{0});
}

TEST_F(WinsysInput, EveryMoveArrivesUnmerged)
{
    EXPECT_FALSE(
        QCoreApplication::testAttribute(Qt::AA_CompressHighFrequencyEvents));
    HWND hwnd = shown_window();
    QWindow *window = client(hwnd)->window()->windowHandle();
    const QPoint origin =
        client(hwnd)->mapTo(client(hwnd)->window(), QPoint(0, 0));
    for (int i = 0; i < 50; ++i)
        QTest::mouseMove(window, origin + QPoint(10 + i, 10 + i % 7));
    pump();
    const std::vector<Seen> moves = seen(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 50u);
    EXPECT_EQ(GET_X_LPARAM(moves[49].lParam), 59);
}

TEST_F(WinsysInput, CaptureDeliversMovesOutsideTheClientArea)
{
    HWND hwnd = shown_window();
    QWidget *area = client(hwnd);
    QWindow *window = area->window()->windowHandle();
    // A point over the menu bar: not the client area's.
    const QPoint over_menu(30, 2);
    const QPoint in_client = area->mapFrom(area->window(), over_menu);
    ASSERT_LT(in_client.y(), 0);
    QTest::mouseMove(window, over_menu);
    pump();
    EXPECT_TRUE(seen(WM_MOUSEMOVE).empty());
    EXPECT_EQ(SetCapture(hwnd), nullptr);
    QTest::mouseMove(window, over_menu + QPoint(3, 1));
    pump();
    ASSERT_EQ(seen(WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(seen(WM_MOUSEMOVE)[0].lParam), in_client.x() + 3);
    EXPECT_EQ(GET_Y_LPARAM(seen(WM_MOUSEMOVE)[0].lParam), in_client.y() + 1);
    EXPECT_TRUE(ReleaseCapture());
    log.clear();
    QTest::mouseMove(window, over_menu);
    pump();
    EXPECT_TRUE(seen(WM_MOUSEMOVE).empty());
}

TEST_F(WinsysInput, ADoubleClickIsTwoClicks)
{
    // Two clicks in quick succession, through the window as the platform
    // reports them.
    HWND hwnd = shown_window();
    QWidget *area = client(hwnd);
    QTest::mouseDClick(area->window()->windowHandle(), Qt::LeftButton, {},
                       area->mapTo(area->window(), QPoint(8, 8)));
    pump();
    EXPECT_EQ(buttons_seen(),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                 WM_LBUTTONUP}));
}

TEST_F(WinsysInput, AltCharactersMatchTheAcceleratorTable)
{
    HWND hwnd = shown_window();
    HACCEL table = LoadAcceleratorsA(scribblet::resources::program_instance(),
                                     MAKEINTRESOURCEA(IDC_SCRIBBLET));
    ASSERT_NE(table, nullptr);
    QWidget *area = client(hwnd);
    QTest::keyClick(area, '?', Qt::AltModifier);
    pump_with_accelerators(table);
    ASSERT_EQ(seen(WM_COMMAND).size(), 1u);
    EXPECT_EQ(seen(WM_COMMAND)[0].wParam, MAKEWPARAM(IDM_ABOUT, 1));
    QTest::keyClick(area, '/', Qt::AltModifier);
    pump_with_accelerators(table);
    EXPECT_EQ(seen(WM_COMMAND).size(), 2u);
    // Without Alt the keys are plain characters.
    log.clear();
    QTest::keyClick(area, '?');
    QTest::keyClick(area, '/');
    pump_with_accelerators(table);
    EXPECT_TRUE(seen(WM_COMMAND).empty());
    ASSERT_EQ(seen(WM_CHAR).size(), 2u);
    EXPECT_EQ(seen(WM_CHAR)[0].wParam, WPARAM{'?'});
    EXPECT_EQ(seen(WM_CHAR)[1].wParam, WPARAM{'/'});
}

TEST_F(WinsysInput, AltKeysBecomeSystemKeysAndCharacters)
{
    HWND hwnd = shown_window();
    QTest::keyClick(client(hwnd), 'x', Qt::AltModifier);
    pump();
    // Alt itself goes down first, a system key as well.
    const std::vector<Seen> keys = seen(WM_SYSKEYDOWN);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wParam, WPARAM{VK_MENU});
    EXPECT_EQ(keys[1].wParam, WPARAM{'X'});
    EXPECT_NE(keys[1].lParam & (1 << 29), 0);
    ASSERT_EQ(seen(WM_SYSCHAR).size(), 1u);
    EXPECT_EQ(seen(WM_SYSCHAR)[0].wParam, WPARAM{'x'});
    EXPECT_TRUE(seen(WM_CHAR).empty());
}

TEST_F(WinsysInput, BusyCursorWhileSetAndArrowAfter)
{
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(wait, nullptr);
    ASSERT_NE(arrow, wait);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    const HCURSOR before = SetCursor(wait);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(SetCursor(arrow), wait);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    SetCursor(before);
}
