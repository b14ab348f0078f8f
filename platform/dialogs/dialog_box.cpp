// Modal dialog boxes: DialogBoxParamA and EndDialog, with the dialog
// manager's own handling of the dialog window (Windows' DefDlgProc and the
// keyboard part of IsDialogMessage).
#include <QWidget>

#include "platform/dialogs/controls.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/dialogs/dialog_window.h"
#include "platform/dialogs/modal_owner.h"
#include "platform/platform.h"
#include "platform/resources/resource_reader.h"
#include "platform/windows_internal.h"
#include "platform/winsys/window_system.h"

namespace {

using namespace scribblet;

// The dialog class's name on Windows.
constexpr const char *dialog_class = "#32770";

// A running modal dialog, kept in its window's data from WM_INITDIALOG on.
struct Dialog {
    HWND hwnd = nullptr;
    DLGPROC procedure = nullptr;
    dialogs::OwnerDisabled *owner = nullptr;
    bool ended = false;
    bool shown = false;
    INT_PTR result = 0;
};

// The dialog of a window. Only dialogs and controls keep window data here,
// and controls are child windows.
Dialog *dialog_of(HWND hwnd)
{
    if (!winsys::is_window(hwnd) || winsys::parent_of(hwnd) != nullptr)
        return nullptr;
    return reinterpret_cast<Dialog *>(winsys::window_data(hwnd));
}

void send_command(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The first control, in template order, of which `wanted` holds.
HWND first_control(HWND dialog, bool (*wanted)(HWND))
{
    HWND found = nullptr;
    winsys::for_each_child(dialog, [&found, wanted](HWND child) {
        if (found == nullptr && wanted(child))
            found = child;
    });
    return found;
}

// The first control that Tab would reach.
HWND first_tab_stop(HWND dialog)
{
    return first_control(dialog, dialogs::is_tab_stop);
}

HWND default_push_button(HWND dialog)
{
    return first_control(dialog, dialogs::is_default_push_button);
}

// When the dialog is activated and no control holds the focus, the first
// tab-stop control takes it.
void focus_on_activation(HWND dialog)
{
    if (dialogs::focused_control(dialog) != nullptr)
        return;
    if (const HWND first = first_tab_stop(dialog))
        dialogs::focus_control(first);
}

// Enter presses the focused push button, else the default push button
// (DEFPUSHBUTTON; each of the script's dialogs has one, always enabled).
void press_enter(HWND dialog)
{
    const HWND focused = dialogs::focused_control(dialog);
    const HWND button = focused != nullptr && dialogs::is_push_button(focused)
                            ? focused
                            : default_push_button(dialog);
    if (button != nullptr)
        send_command(dialog, winsys::child_id_of(button));
}

// The modal loop's look at each message: Escape sends IDCANCEL and Enter
// the default command, for keys that reach the dialog or one of its
// controls without a control taking them.
bool handle_dialog_key(HWND dialog, const MSG &msg)
{
    if (msg.message != WM_KEYDOWN || winsys::top_level_of(msg.hwnd) != dialog)
        return false;
    if (msg.wParam == VK_ESCAPE) {
        send_command(dialog, IDCANCEL);
        return true;
    }
    if (msg.wParam == VK_RETURN) {
        press_enter(dialog);
        return true;
    }
    return false;
}

// The dialog is shown when its modal loop first runs out of messages, so
// that what WM_INITDIALOG started is done before the user sees it.
void show_when_idle(Dialog &dialog)
{
    if (dialog.shown || dialog.ended)
        return;
    dialog.shown = true;
    // The control that WM_INITDIALOG focused keeps the focus.
    const HWND focused = dialogs::focused_control(dialog.hwnd);
    ShowWindow(dialog.hwnd, SW_SHOWNORMAL);
    if (focused != nullptr)
        dialogs::focus_control(focused);
    else
        focus_on_activation(dialog.hwnd);
}

// The dialog class's window procedure: the dialog procedure first, then
// the dialog manager for what it leaves unhandled.
LRESULT CALLBACK dialog_window_proc(HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam)
{
    const Dialog *dialog = dialog_of(hwnd);
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
        if (LOWORD(wParam) != WA_INACTIVE)
            focus_on_activation(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool register_dialog_class()
{
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = dialog_window_proc;
        wc.lpszClassName = dialog_class;
        return RegisterClassExA(&wc) != 0;
    }();
    return registered;
}

// WM_INITDIALOG with the first tab-stop control; TRUE gives it the focus.
void init_dialog(HWND hwnd, LPARAM param)
{
    const HWND first = first_tab_stop(hwnd);
    if (SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first),
                     param) != FALSE &&
        first != nullptr)
        dialogs::focus_control(first);
}

void run_dialog_loop(Dialog &dialog)
{
    if (dialog.ended)
        return;
    winsys::run_modal_loop(
        [&dialog] { return dialog.ended; },
        [&dialog](MSG &msg) { return handle_dialog_key(dialog.hwnd, msg); },
        [&dialog] { show_when_idle(dialog); });
}

} // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                               HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    const auto dialog_template =
        resources::load_dialog_template(hInstance, lpTemplateName);
    if (!dialog_template || !register_dialog_class())
        return -1;
    dialogs::OwnerDisabled owner(hWndParent);
    const HWND hwnd = dialogs::create_dialog_window(
        *dialog_template, hInstance, owner.owner(),
        dialogs::dialog_font(*dialog_template), dialog_class);
    if (hwnd == nullptr)
        return -1;

    Dialog dialog{hwnd, lpDialogFunc, &owner};
    winsys::set_window_data(hwnd, reinterpret_cast<LONG_PTR>(&dialog));
    init_dialog(hwnd, dwInitParam);
    run_dialog_loop(dialog);
    // Ended by WM_QUIT rather than EndDialog: the owner is freed here.
    owner.release();
    DestroyWindow(hwnd);
    return dialog.result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    Dialog *dialog = dialog_of(hDlg);
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
