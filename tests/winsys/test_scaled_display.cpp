// A display scaled by two: a surface pixel is shown as a crisp block of
// screen pixels, and the pointer lands on the surface pixel under it.
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
    // One black pixel, (10, 4), on white.
    answers[WM_PAINT] = [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        const RECT pixel{10, 4, 11, 5};
        for (const auto &[rect, colour] :
             {std::pair{ps.rcPaint, RGB(255, 255, 255)},
              std::pair{pixel, RGB(0, 0, 0)}}) {
            HBRUSH brush = CreateSolidBrush(colour);
            FillRect(dc, &rect, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &ps);
        return 0;
    };
    QWidget *area = client(shown_window(120, 100));
    const QPixmap shown = area->grab(QRect(0, 0, 16, 16));
    ASSERT_EQ(shown.devicePixelRatio(), 2.0);
    const QImage image = shown.toImage();
    for (int y = 6; y < 12; ++y)
        for (int x = 18; x < 24; ++x)
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF,
                      x / 2 == 10 && y / 2 == 4 ? 0x000000u : 0xFFFFFFu)
                << x << "," << y;

    // Screen pixel (21, 9), the right half of surface pixel (10, 4), as the
    // display delivers it.
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
