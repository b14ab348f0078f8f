// A dialog's controls by id, and their text read and written as numbers.
#include <string>

#include "platform/dialogs/controls.h"
#include "platform/dialogs/dialog_int.h"
#include "platform/winsys/dialog_support.h"

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    return scribblet::winsys::find_child(hDlg, nIDDlgItem);
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    scribblet::dialogs::set_control_text(
        item, bSigned != FALSE
                  ? std::to_string(static_cast<std::int32_t>(uValue))
                  : std::to_string(uValue));
    return item != nullptr ? TRUE : FALSE;
}

// The program reads only unsigned numbers; a signed read fails.
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL *lpTranslated,
                          BOOL bSigned)
{
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    const auto value = item == nullptr || bSigned != FALSE
                           ? std::nullopt
                           : scribblet::dialogs::read_dialog_uint(
                                 scribblet::dialogs::control_text(item));
    if (lpTranslated != nullptr)
        *lpTranslated = value.has_value() ? TRUE : FALSE;
    return value.value_or(0);
}
