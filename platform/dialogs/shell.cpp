// ShellExecuteA: hands a web address to the user's default handler for it
// (the browser) and returns at once. The program opens its web pages with
// the "open" verb and no parameters.
//
// Qt's desktop services do the handing over: on a Linux desktop they run
// xdg-open (or, without it, the command in $DEFAULT_BROWSER or $BROWSER)
// detached, so the call never waits for the browser. A handler that the
// process has registered with QDesktopServices::setUrlHandler for the
// address's scheme takes precedence, which is how tests see the address
// without starting a browser.
#include "platform/platform.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/windows_internal.h"

namespace {

// Any result above 32 means success.
constexpr std::uintptr_t opened = 42;

} // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR, LPCSTR lpFile, LPCSTR, LPCSTR, INT)
{
    const bool done =
        QDesktopServices::openUrl(QUrl(QString::fromUtf8(lpFile)));
    return reinterpret_cast<HINSTANCE>(done ? opened : SE_ERR_NOASSOC);
}
