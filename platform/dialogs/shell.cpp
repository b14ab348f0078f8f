// ShellExecuteA, for what the program does with it: "open" a web address in
// the user's browser, returning at once. Qt's desktop services run xdg-open
// (or $DEFAULT_BROWSER, $BROWSER) detached; a handler registered for the
// scheme with QDesktopServices::setUrlHandler takes precedence.
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
