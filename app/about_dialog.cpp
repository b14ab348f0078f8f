// The About box's procedure.
#include "app/about_dialog.h"

#include "res/resource.h"

#include "app/main_window.h"

void about_box_show(HWND owner)
{
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), owner,
                    about_dialog_proc, 0);
}

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wParam,
                                   LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        // The dialog manager gives the focus to the OK button.
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_IJG_LINK:
            // The box stays open; a failure to open the site is not reported.
            ShellExecuteA(NULL, "open", IJG_WEB_ADDRESS, NULL, NULL, SW_SHOW);
            return FALSE;
        }
        return FALSE;
    }
    return FALSE;
}
