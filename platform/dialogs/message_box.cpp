// MessageBoxA on Qt's message box, modal and owned.
#include <QMessageBox>

#include "platform/dialogs/modal_owner.h"
#include "platform/platform.h"
#include "platform/windows_internal.h"

namespace {

// The program's boxes: MB_OK, with MB_ICONERROR, MB_ICONWARNING or no icon.
QMessageBox::Icon icon_for(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

// Texts are shown as plain text, never as markup. The program's
// boxes have one button, OK, so every way of closing them (the button,
// Enter, Escape, the close box) gives IDOK, as on Windows.
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    scribblet::dialogs::install_japanese_qt_texts();
    QMessageBox box(icon_for(uType), QString::fromUtf8(lpCaption),
                    QString::fromUtf8(lpText), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    scribblet::dialogs::run_modal_qt_dialog(box, hWnd);
    return IDOK;
}
