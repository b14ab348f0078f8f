// A display scaled by two: surface pixels are shown as crisp blocks, and
// the pointer lands on the surface pixel under it.
#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWindow>
#include <QWidget>

#include "winsys_fixture.h"

using namespace winsys_test;

using WinsysScaledDisplay = WinsysTest;

namespace {

// Paints a checkerboard of single pixels, black and white.
LRESULT paint_checkerboard(HWND hwnd)
{
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    for (LONG y = ps.rcPaint.top; y < ps.rcPaint.bottom; ++y)
        for (LONG x = ps.rcPaint.left; x < ps.rcPaint.right; ++x) {
            const RECT pixel{x, y, x + 1, y + 1};
            FillRect(dc, &pixel, (x + y) % 2 != 0 ? black : white);
        }
    DeleteObject(white);
    DeleteObject(black);
    EndPaint(hwnd, &ps);
    return 0;
}

} // namespace

TEST_F(WinsysScaledDisplay, SurfacePixelsAreCrispBlocks)
{
    answers[WM_PAINT] = [](HWND h, WPARAM, LPARAM) {
        return paint_checkerboard(h);
    };
    HWND hwnd = make_window(120, 100);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    QWidget *area = client(hwnd);
    const QPixmap shown = area->grab(QRect(0, 0, 16, 16));
    ASSERT_EQ(shown.devicePixelRatio(), 2.0);
    const QImage image = shown.toImage();
    ASSERT_EQ(image.width(), 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb expected =
                ((x / 2 + y / 2) % 2 != 0) ? 0x000000 : 0xFFFFFF;
            ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }
}

TEST_F(WinsysScaledDisplay, PointerLandsOnTheSurfacePixelUnderIt)
{
    HWND hwnd = make_window(120, 100);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    QWidget *area = client(hwnd);
    // Screen pixel (21, 9) is the right half of surface pixel (10, 4). The
    // move reaches the window as the display delivers it, and Qt finds the
    // widget under it.
    const QPointF position =
        area->mapTo(area->window(), QPointF(21 / 2.0, 9 / 2.0));
    QMouseEvent move(QEvent::MouseMove, position,
                     area->window()->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(area->window()->windowHandle(), &move);
    pump();
    ASSERT_EQ(seen(WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(seen(WM_MOUSEMOVE)[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(seen(WM_MOUSEMOVE)[0].lParam), 4);
}
