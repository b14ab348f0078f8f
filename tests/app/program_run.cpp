// The program run in-process, and the person's hand (screen.h).
#include "tests/app/screen.h"

#include <QDialog>
#include <QTimer>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/resources/resource_reader.h"
#include "res/resource.h"

namespace app_test {

int run_program(Steps steps)
{
    // Each step is tried every 5 ms until it acts, then the next one. After
    // 2000 tries whatever is open is closed, and so is what opens later,
    // which ends the program unless a window stays: then a minute of the
    // loop's own time (not a long canvas's making) ends it.
    QTimer script, limit;
    int tries = 2000, seconds = 60;
    QObject::connect(&script, &QTimer::timeout, [&] {
        if (--tries <= 0) {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QDialog *>(widget))
                    dialog->reject();
                else if (widget->isVisible())
                    widget->close();
        } else if (!steps.empty()) {
            // Taken off first: a step may open a modal window of its own.
            Step step = std::move(steps.front());
            steps.pop_front();
            if (!step())
                steps.push_front(std::move(step));
        }
    });
    QObject::connect(&limit, &QTimer::timeout, [&] {
        if (--seconds == 0)
            PostQuitMessage(99);
    });
    script.start(5);
    limit.start(1000);
    char command_line[] = "";
    const int result = WinMain(scribblet::resources::program_instance(), NULL,
                               command_line, SW_SHOWDEFAULT);
    EXPECT_TRUE(steps.empty()) << "a step never could act";
    DeleteObject(g_canvas.bitmap);
    DeleteDC(g_canvas.dc);
    g_canvas = Canvas{};
    return result;
}

Step when(std::function<bool()> ready, std::function<void()> act)
{
    return [=] { return ready() && (act(), true); };
}

Step on_main_window(std::function<void()> act)
{
    return when([] { return main_client() != nullptr; }, std::move(act));
}

// By its close box.
Step close_main_window()
{
    return on_main_window([] { main_window()->close(); });
}

Step answer(const QString &width, const QString &height, Qt::Key key)
{
    return when(
        [] { return size_dialog() && !OpenWindow<QMessageBox>(); },
        [=] {
            // Each field replaced as a person does: select all, type.
            for (auto [id, text] :
                 {std::pair{IDC_WIDTH, width}, {IDC_HEIGHT, height}})
                if (!text.isNull()) {
                    QWidget *edit = dialog_control(size_dialog(), id);
                    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(edit, text);
                }
            QTest::keyClick(dialog_control(size_dialog(), IDC_WIDTH), key);
        });
}

Step told(const QString &message)
{
    return when([] { return OpenWindow<QMessageBox>() != nullptr; },
                [=] {
                    QMessageBox *box = OpenWindow<QMessageBox>();
                    EXPECT_EQ(box->windowTitle() + ": " + box->text(), message);
                    QTest::keyClick(box, Qt::Key_Return);
                });
}

void send(UINT message, WPARAM wParam, int x, int y)
{
    SendMessageA(main_hwnd(), message, wParam, MAKELPARAM(x, y));
}

unsigned canvas_pixel(int x, int y)
{
    scribblet::gdi::PixelView view = {};
    if (!scribblet::gdi::bitmap_pixels(g_canvas.bitmap, &view))
        return 0xFFFFFFFF;
    const BYTE *p = view.pixels + y * view.stride + 4 * x;
    return p[2] << 16 | p[1] << 8 | p[0];
}

QSize client_size()
{
    RECT client = {};
    GetClientRect(main_hwnd(), &client);
    return QSize(client.right, client.bottom);
}

} // namespace app_test
