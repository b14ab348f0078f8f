// Building a dialog's window and its controls from a template.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_WINDOW_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_WINDOW_H

#include <QFont>

#include "platform/dialogs/dialog_units.h"
#include "platform/platform.h"
#include "platform/resources/dialog_template.h"

namespace scribblet::dialogs {

// Where a dialog's window goes, in screen pixels: the template's position
// relative to the owner's client area (the script's dialogs are not
// centred), its size the template's in dialog units, and then moved as
// little as needed to lie on the screen.
UnitRect place_dialog(const resources::DialogTemplate &dialog,
                      DialogBaseUnits units, POINT owner_client_origin,
                      const UnitRect &screen);

// Creates the dialog's window, hidden, of the given window class and owned
// by owner, with its client area of the template's size and a control
// window for every item, in template order. NULL when the window or any
// control cannot be made (nothing is left behind then).
HWND create_dialog_window(const resources::DialogTemplate &dialog,
                          HINSTANCE instance, HWND owner, const QFont &font,
                          const char *window_class);

} // namespace scribblet::dialogs

#endif
