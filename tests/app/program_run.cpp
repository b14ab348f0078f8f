// The program run in-process, and the person's hand.
#include "tests/app/program_run.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/resources/resource_reader.h"
#include "res/resource.h"

namespace app_test {

int run_program(Steps steps)
{
    scribblet::dialogs_test::UserScript script(std::move(steps));
    // The script closes what is open once it gives up, which ends the
    // program unless a window stays: then a minute of waiting ends it.
    QTimer limit;
    int seconds = 60;
    QObject::connect(&limit, &QTimer::timeout, [&] {
        if (--seconds == 0)
            PostQuitMessage(99);
    });
    limit.start(1000);
    char command_line[] = "";
    const int result = WinMain(scribblet::resources::program_instance(), NULL,
                               command_line, SW_SHOWDEFAULT);
    EXPECT_TRUE(script.finished()) << "a step never could act";
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

Step close_main_window()
{
    return on_main_window([] { PostMessageA(main_hwnd(), WM_CLOSE, 0, 0); });
}

// Replaces a field's text as a person does: select all, type.
static void replace_text(QLineEdit *edit, const QString &text)
{
    if (text.isNull())
        return;
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

Step answer(const QString &width, const QString &height, Qt::Key key)
{
    return when([] { return size_dialog() && !message_box(); },
                [=] {
                    replace_text(dialog_edit(size_dialog(), IDC_WIDTH), width);
                    replace_text(dialog_edit(size_dialog(), IDC_HEIGHT),
                                 height);
                    QTest::keyClick(dialog_edit(size_dialog(), IDC_WIDTH), key);
                });
}

Step told(const QString &message)
{
    return when([] { return message_box() != nullptr; },
                [=] {
                    EXPECT_EQ(message_box()->windowTitle() + ": " +
                                  message_box()->text(),
                              message);
                    QTest::keyClick(message_box(), Qt::Key_Return);
                });
}

void command(UINT id)
{
    SendMessageA(main_hwnd(), WM_COMMAND, id, 0);
}

void pointer(UINT message, WPARAM buttons, int x, int y)
{
    SendMessageA(main_hwnd(), message, buttons, MAKELPARAM(x, y));
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

bool scroll_bar_enabled(Qt::Orientation orientation)
{
    for (QScrollBar *bar : main_window()->findChildren<QScrollBar *>())
        if (bar->orientation() == orientation)
            return bar->isEnabled();
    ADD_FAILURE() << "no scroll bar";
    return false;
}

} // namespace app_test
