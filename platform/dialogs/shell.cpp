// ShellExecuteA: hands a document or web address to the user's default
// handler for it (the browser for a web page) and returns at once.
//
// Qt's desktop services do the handing over: on a Linux desktop they run
// xdg-open (or, without it, the command in $DEFAULT_BROWSER or $BROWSER)
// detached, so the call never waits for the browser. A handler that the
// process has registered with QDesktopServices::setUrlHandler for the
// address's scheme takes precedence, which is how tests see the address
// without starting a browser.
#include "platform/platform.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <cstring>

namespace {

// ShellExecute's results: above 32 is success; these are its failures.
constexpr std::uintptr_t kFileNotFound = 2;      // ERROR_FILE_NOT_FOUND
constexpr std::uintptr_t kNoAssociation = 31;    // SE_ERR_NOASSOC
constexpr std::uintptr_t kSucceeded = 42;

HINSTANCE ShellResult(std::uintptr_t code)
{
    return reinterpret_cast<HINSTANCE>(code);
}

// Only "open" (or no verb, which means it) is offered by every handler.
bool IsOpenVerb(LPCSTR operation)
{
    return operation == nullptr || std::strcmp(operation, "open") == 0;
}

// A web address as it stands, or a local path (in the file system's
// encoding, as every file name this program passes) as a file URL.
QUrl AddressToUrl(LPCSTR file)
{
    return QUrl::fromUserInput(QFile::decodeName(file), QString(),
                               QUrl::AssumeLocalFile);
}

} // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile,
                               LPCSTR lpParameters, LPCSTR, INT)
{
    if (lpFile == nullptr || *lpFile == '\0')
        return ShellResult(kFileNotFound);
    // Parameters are for programs; an address takes none.
    if (!IsOpenVerb(lpOperation) ||
        (lpParameters != nullptr && *lpParameters != '\0'))
        return ShellResult(kNoAssociation);
    const QUrl url = AddressToUrl(lpFile);
    if (!url.isValid())
        return ShellResult(kFileNotFound);
    return ShellResult(QDesktopServices::openUrl(url) ? kSucceeded
                                                      : kNoAssociation);
}
