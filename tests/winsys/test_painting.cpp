// The update region, BeginPaint and EndPaint, and what the window shows.
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "winsys_fixture.h"

using namespace winsys_test;

namespace {

struct Painter {
    std::vector<RECT> painted;
    COLORREF colour = RGB(255, 0, 0);

    // Paints the update rectangle in one colour, as a program would copy
    // its drawing there.
    LRESULT operator()(HWND hwnd)
    {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        painted.push_back(ps.rcPaint);
        EndPaint(hwnd, &ps);
        return 0;
    }
};

bool same(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right &&
           a.bottom == b.bottom;
}

QRgb shown_at(QWidget *widget, int x, int y)
{
    return widget->grab().toImage().pixel(x, y) & 0xFFFFFF;
}

} // namespace

class WinsysPainting : public WinsysTest {
protected:
    HWND shown_window()
    {
        answers[WM_PAINT] = [this](HWND h, WPARAM, LPARAM) {
            return painter(h);
        };
        HWND hwnd = make_window(300, 200);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        pump();
        painter.painted.clear();
        log.clear();
        return hwnd;
    }
    Painter painter;
};

TEST_F(WinsysPainting, ShowingAndUpdatingPaintsTheWholeClientAtOnce)
{
    answers[WM_PAINT] = [this](HWND h, WPARAM, LPARAM) { return painter(h); };
    HWND hwnd = make_window();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    ASSERT_EQ(painter.painted.size(), 1u);
    RECT c{};
    GetClientRect(hwnd, &c);
    EXPECT_TRUE(same(painter.painted[0], c));
    // Nothing is left to paint.
    const std::vector<UINT> taken = pump();
    EXPECT_EQ(std::count(taken.begin(), taken.end(), UINT{WM_PAINT}), 0);
}

TEST_F(WinsysPainting, InvalidationAccumulatesAndBeginPaintValidates)
{
    HWND hwnd = shown_window();
    const RECT a{10, 10, 20, 20}, b{50, 40, 60, 45};
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, FALSE);
    pump();
    ASSERT_EQ(painter.painted.size(), 1u);
    EXPECT_TRUE(same(painter.painted[0], RECT{10, 10, 60, 45}));
    // A rectangle reaching out of the client area is cut to it.
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT c{-10, client.bottom - 10, 20, client.bottom + 100};
    InvalidateRect(hwnd, &c, FALSE);
    pump();
    ASSERT_EQ(painter.painted.size(), 2u);
    EXPECT_TRUE(same(painter.painted[1],
                     RECT{0, client.bottom - 10, 20, client.bottom}));
}

TEST_F(WinsysPainting, ErasingOnlyWhenAsked)
{
    HWND hwnd = shown_window();
    const RECT r{0, 0, 5, 5};
    InvalidateRect(hwnd, &r, FALSE);
    pump();
    EXPECT_TRUE(seen(WM_ERASEBKGND).empty());
    InvalidateRect(hwnd, &r, TRUE);
    pump();
    EXPECT_EQ(seen(WM_ERASEBKGND).size(), 1u);
}

TEST_F(WinsysPainting, ShownPixelsComeFromTheSurfaceWithoutRepaintLoops)
{
    HWND hwnd = shown_window();
    QWidget *widget = client(hwnd);
    EXPECT_EQ(shown_at(widget, 100, 100), 0xFF0000u);
    painter.colour = RGB(0, 0, 255);
    const RECT r{20, 30, 40, 50};
    InvalidateRect(hwnd, &r, FALSE);
    pump();
    EXPECT_EQ(shown_at(widget, 20, 30), 0x0000FFu);
    EXPECT_EQ(shown_at(widget, 39, 49), 0x0000FFu);
    EXPECT_EQ(shown_at(widget, 40, 30), 0xFF0000u);
    // Qt painting the widget again (an expose, or our own EndPaint) shows
    // the surface and asks the program for nothing.
    painter.painted.clear();
    widget->repaint();
    widget->window()->hide();
    widget->window()->show();
    pump();
    EXPECT_TRUE(painter.painted.empty());
    EXPECT_EQ(shown_at(widget, 25, 35), 0x0000FFu);
}
