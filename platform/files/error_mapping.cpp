#include "platform/files/error_mapping.h"

#include "platform/files/paths.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

thread_local DWORD last_error = ERROR_SUCCESS;

// Whether the folder part of `path` exists as a folder.
bool folder_of_exists(const char *path)
{
    struct stat info;
    return stat(folder_of(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

DWORD WINAPI GetLastError(void)
{
    return last_error;
}

void WINAPI SetLastError(DWORD dwErrCode)
{
    last_error = dwErrCode;
}

DWORD windows_error_from_errno(int error, const char *path)
{
    switch (error) {
    case ENOENT:
        return folder_of_exists(path) ? ERROR_FILE_NOT_FOUND
                                      : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ERROR_DISK_FULL;
    default:
        return ERROR_GEN_FAILURE;
    }
}

BOOL fail_with_errno(int error, const char *path)
{
    return fail_with(windows_error_from_errno(error, path));
}

BOOL fail_with(DWORD code)
{
    last_error = code;
    return FALSE;
}
