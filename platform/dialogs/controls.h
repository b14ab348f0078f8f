// The predefined control classes of the program's dialogs: "Button", "Edit"
// (single-line fields) and "Static" (texts and icons), each a WS_CHILD window
// of the dialog whose Qt widget lies at its place in the client area. A click
// tells the parent as Windows' buttons do (WM_COMMAND: the id and BN_CLICKED
// in wParam, the control in lParam), queued as input so that the dialog
// procedure runs from the message loop, in the order the user acted.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_CONTROLS_H
#define SCRIBBLET_PLATFORM_DIALOGS_CONTROLS_H

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/resources/dialog_template.h"

class QFont;

namespace scribblet::dialogs {

// What a control is made from: its template item, the module its icon
// comes from and the dialog's font. Passed as CreateWindowExA's lpParam.
struct ControlRecipe {
    const resources::DialogItem *item = nullptr;
    HINSTANCE instance = nullptr;
    const QFont *font = nullptr;
};

// The window class name of a predefined control class ordinal
// (resources::control_class), nullptr for any other class.
const char *control_class_name(std::uint16_t class_ordinal);

// Registers the control classes, the first time it is called.
void register_control_classes();

// Whether hwnd is one of our push buttons, and the default one.
bool is_push_button(HWND hwnd);
bool is_default_push_button(HWND hwnd);

// Whether the control takes the focus from Tab (WS_TABSTOP), is visible and
// enabled: the controls the dialog's first focus may go to.
bool is_tab_stop(HWND hwnd);

// Gives the control the keyboard focus; an edit field's text is selected,
// so typing replaces it.
void focus_control(HWND hwnd);

// The control of dialog whose widget holds the keyboard focus (for a
// hidden or inactive dialog, the one that will hold it), NULL for none.
HWND focused_control(HWND dialog);

// A control's text (UTF-8), as Windows' WM_GETTEXT and WM_SETTEXT have it. No
// procedure of the program stands between a dialog and its controls, so
// SetDlgItemInt and GetDlgItemInt use these directly (a control takes
// WM_SETTEXT as well). Nothing is read or written for a window that is not
// a control.
std::string control_text(HWND hwnd);
void set_control_text(HWND hwnd, const std::string &text);

} // namespace scribblet::dialogs

#endif
