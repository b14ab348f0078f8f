// GetModuleFileNameA on Linux: the program is one executable, and the
// program asks only for its own (a NULL module).
#include <unistd.h>

#include <cstring>

#include "platform/platform.h"

// Windows copies as much of the path as fits, always zero-terminated, and
// then answers nSize with ERROR_INSUFFICIENT_BUFFER; the program takes
// that answer as a path too long for it.
DWORD WINAPI GetModuleFileNameA(HMODULE, LPSTR lpFilename, DWORD nSize)
{
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length < 0 || (size_t)length >= sizeof path - 1) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    path[length] = '\0';
    if ((size_t)length < nSize) {
        memcpy(lpFilename, path, (size_t)length + 1);
        SetLastError(ERROR_SUCCESS);
        return (DWORD)length;
    }
    if (nSize > 0) {
        memcpy(lpFilename, path, nSize - 1);
        lpFilename[nSize - 1] = '\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}
