// Destroying windows, the sizes the system lets them have, and painting:
// the update region, BeginPaint and what the window shows.
#include <QGuiApplication>
#include <array>
#include <QImage>
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

// Created or sized, a window with a sizing border, or any top-level window
// but a popup, keeps within its tracking sizes: by default the screen and
// Windows' smallest, else what the procedure answers. The user's dragging
// keeps to the same largest size; a window without a sizing border keeps
// its size.
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

// The procedure paints its update rectangle in one colour, as the program
// copies its drawing there, and notes the rectangle.
TEST_F(WinsysWindows, PaintingCoversTheUpdateRegionAndTheSurfaceIsShown)
{
    std::vector<std::array<LONG, 4>> painted; // each rcPaint
    COLORREF colour = RGB(0, 0, 255);
    answers[WM_PAINT] = [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        const RECT &r = ps.rcPaint;
        painted.push_back({r.left, r.top, r.right, r.bottom});
        EndPaint(hwnd, &ps);
        return 0;
    };
    HWND hwnd = shown_window();
    RECT area{};
    GetClientRect(hwnd, &area);
    const auto shown_at = [this, hwnd](int x, int y) {
        return client(hwnd)->grab().toImage().pixel(x, y) & 0xFFFFFF;
    };
    // Rectangles gather into one, cut to the client area; the background
    // is erased only when an invalidation asks for it.
    const LONG right = area.right, bottom = area.bottom;
    const RECT a{10, 10, 20, 20}, b{50, 40, 60, 45},
        c{-10, bottom - 10, 20, bottom + 100};
    colour = RGB(255, 0, 0);
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, TRUE);
    pump();
    InvalidateRect(hwnd, &c, FALSE);
    pump();
    EXPECT_EQ(seen(WM_ERASEBKGND).size(), 1u);
    ASSERT_EQ(painted.size(), 3u);
    using Rect = std::array<LONG, 4>;
    EXPECT_EQ(painted[0], (Rect{0, 0, right, bottom})) << "when shown";
    EXPECT_EQ(painted[1], (Rect{10, 10, 60, 45}));
    EXPECT_EQ(painted[2], (Rect{0, bottom - 10, 20, bottom}));
    EXPECT_EQ(shown_at(59, 44), 0xFF0000u);
    EXPECT_EQ(shown_at(60, 44), 0x0000FFu);
    // Qt painting the widget again (an expose, hiding and showing) shows
    // the surface and asks the program for nothing; sizing the window
    // (CS_HREDRAW | CS_VREDRAW) asks it for all of the new client area.
    client(hwnd)->repaint();
    client(hwnd)->window()->hide();
    client(hwnd)->window()->show();
    pump();
    EXPECT_EQ(painted.size(), 3u);
    colour = RGB(0, 255, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 280, 190, SWP_NOMOVE);
    pump();
    ASSERT_EQ(painted.size(), 4u);
    GetClientRect(hwnd, &area);
    EXPECT_EQ(painted[3], (Rect{0, 0, area.right, area.bottom}));
    EXPECT_EQ(shown_at(10, 10), 0x00FF00u);
}
