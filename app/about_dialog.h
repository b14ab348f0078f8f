// The About box (resource 103): version, the JPEG library's credit and a
// button that opens the library makers' web site.
#ifndef SCRIBBLET_APP_ABOUT_DIALOG_H
#define SCRIBBLET_APP_ABOUT_DIALOG_H

#include "platform/platform.h"

// The web site that button 120 shows as its caption and opens.
#define IJG_WEB_ADDRESS "http://www.ijg.org/"

// Runs the box modally, owned by `owner`, until OK, Enter, Escape or the
// close box ends it.
void about_box_show(HWND owner);

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wParam,
                                   LPARAM lParam);

#endif // SCRIBBLET_APP_ABOUT_DIALOG_H
