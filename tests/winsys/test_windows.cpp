// Destroying windows, and the sizes the system lets them have.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "winsys_fixture.h"

using namespace winsys_test;

using WinsysWindows = WinsysTest;

TEST_F(WinsysWindows, DestroyingAParentDestroysItsChildrenAfterIt)
{
    HWND parent = make_window(300, 200, WS_OVERLAPPEDWINDOW);
    HWND child = CreateWindowExA(0, "WinsysTestRecording", "", WS_CHILD, 5, 5,
                                 50, 20, parent, HMENU(42), nullptr, nullptr);
    EXPECT_EQ(scribblet::winsys::find_child(parent, 42), child);
    DestroyWindow(parent);
    ASSERT_EQ(seen(WM_DESTROY).size(), 2u);
    EXPECT_EQ(seen(WM_DESTROY)[0].hwnd, parent);
    EXPECT_EQ(seen(WM_DESTROY)[1].hwnd, child);
    EXPECT_FALSE(scribblet::winsys::is_window(child));
}

// Created or sized, a top-level window but a popup keeps within its
// tracking sizes: by default the screen and Windows' smallest, else what
// the procedure answers. Dragging a sizing border keeps to the same; a
// window without one keeps its size.
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
        const QWidget *top = client(hwnd)->window();
        EXPECT_EQ(top->size(), c.expected);
        const bool sizing = (c.style & WS_THICKFRAME) != 0;
        EXPECT_EQ(top->maximumSize(), !sizing ? c.expected
                                      : c.largest != 0
                                          ? QSize(c.largest, c.largest)
                                          : screen);
        EXPECT_EQ(top->minimumSize(), sizing ? QSize(112, 27) : c.expected);
    }
}
