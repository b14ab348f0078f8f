// Finding the program's windows and their controls on the screen.
#include "tests/app/screen.h"

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
    if (top_level != nullptr)
        for (QWidget *w : top_level->findChildren<QWidget *>())
            if (HWND hwnd = scribblet::qt::window_from_widget(w))
                return scribblet::winsys::top_level_of(hwnd);
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
