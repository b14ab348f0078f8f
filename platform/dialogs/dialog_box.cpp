// Modal dialog boxes: DialogBoxParamA and EndDialog, with the dialog
// manager's own handling of the dialog window (Windows' DefDlgProc and the
// keyboard part of IsDialogMessage).
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/dialogs/controls.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/dialogs/dialog_window.h"
#include "platform/dialogs/modal_owner.h"
#include "platform/platform.h"
#include "platform/resources/resource_reader.h"
#include "platform/winsys/window_system.h"

namespace {

using namespace scribblet;

// The dialog class's name on Windows.
constexpr const char *kDialogClass = "#32770";
constexpr WORD kInactive = 0; // WA_INACTIVE

// A running modal dialog.
struct Dialog {
    HWND hwnd = nullptr;
    DLGPROC procedure = nullptr;
    dialogs::OwnerDisabled *owner = nullptr;
    bool ended = false;
    bool shown = false;
    INT_PTR result = 0;
};

// The dialogs now running, innermost last.
std::vector<Dialog *> g_dialogs;

Dialog *DialogOf(HWND hwnd)
{
    const auto found =
        std::find_if(g_dialogs.begin(), g_dialogs.end(),
                     [hwnd](const Dialog *d) { return d->hwnd == hwnd; });
    return found == g_dialogs.end() ? nullptr : *found;
}

void SendCommand(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The first control, in template order, of which `wanted` holds.
HWND FirstControl(HWND dialog, bool (*wanted)(HWND))
{
    HWND found = nullptr;
    winsys::for_each_child(dialog, [&found, wanted](HWND child) {
        if (found == nullptr && wanted(child))
            found = child;
    });
    return found;
}

// The first control that Tab would reach.
HWND FirstTabStop(HWND dialog)
{
    return FirstControl(dialog, dialogs::IsTabStop);
}

HWND DefaultPushButton(HWND dialog)
{
    return FirstControl(dialog, dialogs::IsDefaultPushButton);
}

// When the dialog is activated and no control holds the focus, the first
// tab-stop control takes it.
void FocusOnActivation(HWND dialog)
{
    if (dialogs::FocusedControl(dialog) != nullptr)
        return;
    if (const HWND first = FirstTabStop(dialog))
        dialogs::FocusControl(first);
}

// Enter presses the focused push button, else the default push button
// (DEFPUSHBUTTON), else sends IDOK; a disabled default button takes
// nothing.
void PressEnter(HWND dialog)
{
    const HWND focused = dialogs::FocusedControl(dialog);
    if (focused != nullptr && dialogs::IsPushButton(focused)) {
        SendCommand(dialog, winsys::child_id_of(focused));
        return;
    }
    const HWND button = DefaultPushButton(dialog);
    if (button == nullptr)
        SendCommand(dialog, IDOK);
    else if (winsys::is_window_enabled(button))
        SendCommand(dialog, winsys::child_id_of(button));
}

// The modal loop's look at each message: Escape sends IDCANCEL and Enter
// the default command, for keys that reach the dialog or one of its
// controls without a control taking them.
bool HandleDialogKey(HWND dialog, const MSG &msg)
{
    if (msg.message != WM_KEYDOWN ||
        winsys::top_level_of(msg.hwnd) != dialog)
        return false;
    if (msg.wParam == VK_ESCAPE) {
        SendCommand(dialog, IDCANCEL);
        return true;
    }
    if (msg.wParam == VK_RETURN) {
        PressEnter(dialog);
        return true;
    }
    return false;
}

// The dialog is shown when its modal loop first runs out of messages, so
// that what WM_INITDIALOG started is done before the user sees it.
void ShowWhenIdle(Dialog &dialog)
{
    if (dialog.shown || dialog.ended)
        return;
    dialog.shown = true;
    // The control that WM_INITDIALOG focused keeps the focus.
    const HWND focused = dialogs::FocusedControl(dialog.hwnd);
    ShowWindow(dialog.hwnd, SW_SHOWNORMAL);
    if (focused != nullptr)
        dialogs::FocusControl(focused);
    else
        FocusOnActivation(dialog.hwnd);
}

// The dialog class's window procedure: the dialog procedure first, then
// the dialog manager for what it leaves unhandled.
LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                  LPARAM lParam)
{
    const Dialog *dialog = DialogOf(hwnd);
    if (dialog != nullptr && dialog->procedure != nullptr) {
        const INT_PTR handled =
            dialog->procedure(hwnd, message, wParam, lParam);
        // WM_INITDIALOG's answer says whether to set the focus.
        if (message == WM_INITDIALOG)
            return handled;
        if (handled)
            return 0;
    }
    switch (message) {
    case WM_CLOSE:
        // The close box cancels a dialog; it does not destroy it.
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != kInactive)
            FocusOnActivation(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool RegisterDialogClass()
{
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DialogWindowProc;
        wc.lpszClassName = kDialogClass;
        return RegisterClassExA(&wc) != 0;
    }();
    return registered;
}

// WM_INITDIALOG with the first tab-stop control; TRUE gives it the focus.
void InitDialog(HWND hwnd, LPARAM param)
{
    const HWND first = FirstTabStop(hwnd);
    if (SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first),
                     param) != FALSE &&
        first != nullptr)
        dialogs::FocusControl(first);
}

void RunModalLoop(Dialog &dialog)
{
    if (dialog.ended)
        return;
    winsys::run_modal_loop(
        [&dialog] { return dialog.ended; },
        [&dialog](MSG &msg) { return HandleDialogKey(dialog.hwnd, msg); },
        [&dialog] { ShowWhenIdle(dialog); });
}

} // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                               HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    const auto dialogTemplate =
        resources::load_dialog_template(hInstance, lpTemplateName);
    if (!dialogTemplate || !RegisterDialogClass())
        return -1;
    dialogs::OwnerDisabled owner(hWndParent);
    const HWND hwnd = dialogs::CreateDialogWindow(
        *dialogTemplate, hInstance, owner.owner(),
        dialogs::DialogFont(dialogTemplate->font), kDialogClass);
    if (hwnd == nullptr)
        return -1;

    Dialog dialog{hwnd, lpDialogFunc, &owner};
    g_dialogs.push_back(&dialog);
    InitDialog(hwnd, dwInitParam);
    RunModalLoop(dialog);
    // Ended by WM_QUIT rather than EndDialog: the owner is freed here.
    owner.release();
    DestroyWindow(hwnd);
    g_dialogs.erase(std::find(g_dialogs.begin(), g_dialogs.end(), &dialog));
    return dialog.result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    Dialog *dialog = DialogOf(hDlg);
    if (dialog == nullptr)
        return FALSE;
    dialog->result = nResult;
    dialog->ended = true;
    dialog->owner->release();
    ShowWindow(hDlg, SW_HIDE);
    // The modal loop looks at the dialog after each message; when EndDialog
    // comes from outside one (a toolkit callback), this wakes it.
    PostMessageA(nullptr, WM_NULL, 0, 0);
    return TRUE;
}
