// Modal dialog boxes: DialogBoxParamA and EndDialog, with the dialog
// manager's own handling of the dialog window (Windows' DefDlgProc and the
// keyboard part of IsDialogMessage).
#include "platform/dialogs/controls.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/dialogs/dialog_window.h"
#include "platform/dialogs/modal_owner.h"
#include "platform/platform.h"
#include "platform/resources/resource_reader.h"
#include "platform/windows_internal.h"
#include "platform/winsys/dialog_support.h"

namespace {

using namespace scribblet;

// The dialog class's name on Windows.
constexpr const char *dialog_class = "#32770";

// A running modal dialog, kept by its window from WM_INITDIALOG on. The
// owner is DialogBoxParamA's, which outlives the window.
struct Dialog final : winsys::WindowState {
    Dialog(DLGPROC dialog_procedure, dialogs::OwnerDisabled *disabled)
        : procedure(dialog_procedure), owner(disabled)
    {
    }
    DLGPROC procedure;
    dialogs::OwnerDisabled *owner;
    bool ended = false;
    bool shown = false;
    INT_PTR result = 0;
};

Dialog *dialog_of(HWND hwnd)
{
    return winsys::window_state<Dialog>(hwnd);
}

void send_command(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The first control, in template order, of which `wanted` holds.
HWND first_control(HWND dialog, bool (*wanted)(HWND))
{
    for (HWND child : winsys::children_of(dialog))
        if (wanted(child))
            return child;
    return nullptr;
}

// Enter presses the focused push button, else the default push button
// (DEFPUSHBUTTON; each of the script's dialogs has one, always enabled).
void press_enter(HWND dialog)
{
    const HWND focused = dialogs::focused_control(dialog);
    const HWND button =
        focused != nullptr && dialogs::is_push_button(focused)
            ? focused
            : first_control(dialog, dialogs::is_default_push_button);
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
// that what WM_INITDIALOG started is done before the user sees it. Shown,
// it is activated: the control that WM_INITDIALOG focused keeps the focus,
// else the first tab stop takes it.
void show_when_idle(HWND hwnd)
{
    Dialog *dialog = dialog_of(hwnd);
    if (dialog == nullptr || dialog->shown || dialog->ended)
        return;
    dialog->shown = true;
    const HWND focused = dialogs::focused_control(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    if (const HWND to = focused != nullptr
                            ? focused
                            : first_control(hwnd, dialogs::is_tab_stop))
        dialogs::focus_control(to);
}

// The dialog class's window procedure: the dialog procedure first, then
// the dialog manager for what it leaves unhandled.
LRESULT CALLBACK dialog_window_proc(HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam)
{
    const Dialog *dialog = dialog_of(hwnd);
    if (dialog != nullptr) {
        const INT_PTR handled =
            dialog->procedure(hwnd, message, wParam, lParam);
        // WM_INITDIALOG's answer says whether to set the focus.
        if (message == WM_INITDIALOG)
            return handled;
        if (handled)
            return 0;
    }
    // The close box cancels a dialog; it does not destroy it.
    if (message == WM_CLOSE) {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// WM_INITDIALOG with the first tab-stop control; TRUE gives it the focus.
void init_dialog(HWND hwnd, LPARAM param)
{
    // The first control that Tab would reach.
    const HWND first = first_control(hwnd, dialogs::is_tab_stop);
    if (SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first),
                     param) != FALSE &&
        first != nullptr)
        dialogs::focus_control(first);
}

// Until EndDialog (or until the window is gone).
void run_dialog_loop(HWND hwnd)
{
    winsys::run_modal_loop(
        [hwnd] {
            const Dialog *dialog = dialog_of(hwnd);
            return dialog == nullptr || dialog->ended;
        },
        [hwnd](MSG &msg) { return handle_dialog_key(hwnd, msg); },
        [hwnd] { show_when_idle(hwnd); });
}

} // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                               HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    const auto dialog_template =
        resources::load_dialog_template(hInstance, lpTemplateName);
    if (!dialog_template)
        return -1;
    winsys::register_internal_class(dialog_class, dialog_window_proc);
    dialogs::OwnerDisabled owner(hWndParent);
    const HWND hwnd = dialogs::create_dialog_window(
        *dialog_template, hInstance, owner.owner(),
        dialogs::dialog_font(*dialog_template), dialog_class);
    if (hwnd == nullptr)
        return -1;
    winsys::set_window_state(hwnd,
                             std::make_unique<Dialog>(lpDialogFunc, &owner));
    init_dialog(hwnd, dwInitParam);
    run_dialog_loop(hwnd);
    const Dialog *dialog = dialog_of(hwnd);
    const INT_PTR result = dialog != nullptr ? dialog->result : -1;
    DestroyWindow(hwnd);
    return result;
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
