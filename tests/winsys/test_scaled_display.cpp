// A display scaled by two: surface pixels are shown as crisp blocks, and
// the pointer lands on the surface pixel under it.
#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

#include "winsys_fixture.h"

using namespace winsys_test;

using WinsysScaledDisplay = WinsysTest;

TEST_F(WinsysScaledDisplay, SurfacePixelsAreCrispBlocksUnderThePointer)
{
    // A checkerboard of single pixels, black and white.
    answers[WM_PAINT] = [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brushes[] = {CreateSolidBrush(RGB(255, 255, 255)),
                            CreateSolidBrush(RGB(0, 0, 0))};
        for (LONG y = ps.rcPaint.top; y < ps.rcPaint.bottom; ++y)
            for (LONG x = ps.rcPaint.left; x < ps.rcPaint.right; ++x) {
                const RECT pixel{x, y, x + 1, y + 1};
                FillRect(dc, &pixel, brushes[(x + y) % 2]);
            }
        for (HBRUSH brush : brushes)
            DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    };
    HWND hwnd = shown_window(120, 100);
    QWidget *area = client(hwnd);
    const QPixmap shown = area->grab(QRect(0, 0, 16, 16));
    ASSERT_EQ(shown.devicePixelRatio(), 2.0);
    const QImage image = shown.toImage();
    ASSERT_EQ(image.width(), 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF,
                      (x / 2 + y / 2) % 2 != 0 ? 0x000000u : 0xFFFFFFu)
                << x << "," << y;

    // Screen pixel (21, 9) is the right half of surface pixel (10, 4). The
    // move reaches the window as the display delivers it.
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
