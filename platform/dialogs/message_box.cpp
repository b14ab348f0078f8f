// MessageBoxA on Qt's message box, modal and owned.
#include <QMessageBox>
#include <array>

#include "platform/dialogs/modal_owner.h"
#include "platform/platform.h"

namespace {

using scribblet::dialogs::InstallJapaneseQtTexts;

// The button sets (uType's low four bits) and the results (Windows'
// values).
constexpr UINT kButtonSetMask = 0x0000000F;
constexpr UINT kIconMask = 0x000000F0;
constexpr UINT kIconQuestion = 0x00000020;
constexpr UINT kIconInformation = 0x00000040;
constexpr int kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6,
              kIdNo = 7;

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
};

// MB_OK, MB_OKCANCEL, MB_ABORTRETRYIGNORE, MB_YESNOCANCEL, MB_YESNO,
// MB_RETRYCANCEL, by their values 0 to 5.
constexpr std::array<ButtonSet, 6> kButtonSets{{
    {QMessageBox::Ok},
    {QMessageBox::Ok | QMessageBox::Cancel},
    {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore},
    {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
    {QMessageBox::Yes | QMessageBox::No},
    {QMessageBox::Retry | QMessageBox::Cancel},
}};

QMessageBox::StandardButtons ButtonsFor(UINT type)
{
    const UINT set = type & kButtonSetMask;
    return set < kButtonSets.size() ? kButtonSets[set].buttons
                                    : QMessageBox::Ok;
}

QMessageBox::Icon IconFor(UINT type)
{
    switch (type & kIconMask) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case kIconQuestion:
        return QMessageBox::Question;
    case kIconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ResultFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Abort:
        return kIdAbort;
    case QMessageBox::Retry:
        return kIdRetry;
    case QMessageBox::Ignore:
        return kIdIgnore;
    case QMessageBox::Yes:
        return kIdYes;
    case QMessageBox::No:
        return kIdNo;
    default:
        return IDOK;
    }
}

} // namespace

// Without a caption the box is titled "エラー" ("Error"), as on Japanese
// Windows. Texts are shown as plain text, never as markup. Escape and the
// close box give Cancel where the box has it, else the single button's
// result (IDOK for MB_OK), as Qt's message box also does.
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption,
                       UINT uType)
{
    InstallJapaneseQtTexts();
    QMessageBox box(IconFor(uType),
                    QString::fromUtf8(lpCaption ? lpCaption : "エラー"),
                    QString::fromUtf8(lpText ? lpText : ""),
                    ButtonsFor(uType));
    box.setTextFormat(Qt::PlainText);
    scribblet::dialogs::RunModalQtDialog(box, hWnd);
    return ResultFor(box.standardButton(box.clickedButton()));
}
