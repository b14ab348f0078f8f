// Finding the program's windows and their controls on the screen.
#include "tests/app/screen.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_system.h"

namespace person {

namespace winsys = scribblet::winsys;

QWidget *window_titled(const QString &caption)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == caption)
            return w;
    return nullptr;
}

// The window (HWND) whose own widget lies inside `top_level`, top-level
// windows first.
static HWND hwnd_inside(QWidget *top_level)
{
    if (top_level == nullptr)
        return NULL;
    QList<QWidget *> widgets = top_level->findChildren<QWidget *>();
    widgets.prepend(top_level);
    for (QWidget *w : widgets) {
        HWND hwnd = scribblet::qt::window_from_widget(w);
        if (hwnd != NULL && scribblet::qt::window_widget(hwnd) == w)
            return winsys::top_level_of(hwnd);
    }
    return NULL;
}

QWidget *main_window()
{
    return window_titled(QStringLiteral("Scribblet"));
}

HWND main_hwnd()
{
    return hwnd_inside(main_window());
}

QWidget *main_client()
{
    HWND hwnd = main_hwnd();
    return hwnd ? scribblet::qt::window_widget(hwnd) : nullptr;
}

QWidget *size_dialog()
{
    return window_titled(QStringLiteral("描画領域のサイズを入力して下さい"));
}

QWidget *about_box()
{
    return window_titled(QStringLiteral("バージョン情報"));
}

QMessageBox *message_box()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            return box;
    return nullptr;
}

QFileDialog *save_dialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QFileDialog *>(w);
            dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

QWidget *dialog_control(QWidget *dialog, int id)
{
    HWND control = GetDlgItem(hwnd_inside(dialog), id);
    QWidget *container =
        control ? scribblet::qt::window_widget(control) : nullptr;
    if (container == nullptr)
        return nullptr;
    QWidget *inner = container->findChild<QWidget *>();
    return inner ? inner : container;
}

QLineEdit *dialog_edit(QWidget *dialog, int id)
{
    QWidget *control = dialog_control(dialog, id);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit;
    return control ? control->findChild<QLineEdit *>() : nullptr;
}

} // namespace person
