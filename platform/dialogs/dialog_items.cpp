// A dialog's controls by id, and their text read and written as numbers.
#include <string>

#include "platform/dialogs/dialog_int.h"
#include "platform/platform.h"
#include "platform/winsys/window_system.h"

namespace {

// The whole text of a window, through WM_GETTEXTLENGTH and WM_GETTEXT.
std::string window_text(HWND hwnd)
{
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

} // namespace

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    return scribblet::winsys::find_child(hDlg, nIDDlgItem);
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (item == nullptr)
        return FALSE;
    const std::string text =
        scribblet::dialogs::format_dialog_int(uValue, bSigned != FALSE);
    return SendMessageA(item, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str())) != FALSE;
}

// The program reads only unsigned numbers; a signed read fails.
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL *lpTranslated,
                          BOOL bSigned)
{
    const HWND item = GetDlgItem(hDlg, nIDDlgItem);
    const auto value =
        item == nullptr || bSigned != FALSE
            ? std::nullopt
            : scribblet::dialogs::read_dialog_uint(window_text(item));
    if (lpTranslated != nullptr)
        *lpTranslated = value.has_value() ? TRUE : FALSE;
    return value.value_or(0);
}
