// Online help: the program's own help page, shipped beside it, opened in the
// user's browser.
#ifndef SCRIBBLET_APP_ONLINE_HELP_H
#define SCRIBBLET_APP_ONLINE_HELP_H

#include "platform/platform.h"

// Where the help page lies, relative to the folder that holds the folder of
// the program (bin/ when installed, the build folder's app/ when built).
#define HELP_PAGE_RELATIVE_PATH "share/scribblet/help/index.html"

// Writes the help page's path for the program at `program_path` into
// `page_path` (`size` bytes). FALSE when it does not fit.
BOOL help_page_path(LPCSTR program_path, LPSTR page_path, DWORD size);

// Writes the file URL of the local file `path` into `url` (`size` bytes):
// "file://" and the path with '\' as '/', every ASCII character outside the
// unreserved set and "/:" percent-encoded, the others as they are. FALSE
// when it does not fit.
BOOL file_url_from_path(LPCSTR path, LPSTR url, DWORD size);

// Opens the help page in the browser; tells the user, in a message box owned
// by `owner`, when the page cannot be found.
void online_help_open(HWND owner);

#endif // SCRIBBLET_APP_ONLINE_HELP_H
