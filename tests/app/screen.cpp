// Finding the program's windows and their controls on the screen.
#include "tests/app/screen.h"

#include "platform/winsys/window_system.h"

namespace person {

QWidget *window_titled(const QString &caption)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == caption)
            return w;
    return nullptr;
}

HWND window_inside(QWidget *top_level)
{
    for (HWND hwnd : scribblet::winsys::window_system().windows()) {
        const QWidget *client = scribblet::qt::window_widget(hwnd);
        if (top_level != nullptr && client != nullptr &&
            client->window() == top_level)
            return hwnd;
    }
    return NULL;
}

QWidget *main_window()
{
    return window_titled(QStringLiteral("Scribblet"));
}

HWND main_hwnd()
{
    return window_inside(main_window());
}

QWidget *main_client()
{
    return scribblet::qt::window_widget(main_hwnd());
}

QWidget *size_dialog()
{
    return window_titled(QStringLiteral("描画領域のサイズを入力して下さい"));
}

} // namespace person
