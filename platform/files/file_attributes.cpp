// GetFileAttributesA and DeleteFileA. Deleting a temporary file that has
// no name yet lets it go.
#include "platform/files/error_mapping.h"
#include "platform/files/unnamed_files.h"
#include "platform/platform.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file that nobody may write counts as read-only, as Windows' attribute
// of that name would show it.
DWORD attributes_of(const struct stat &info)
{
    if (S_ISDIR(info.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return FILE_ATTRIBUTE_READONLY;
    return FILE_ATTRIBUTE_NORMAL;
}

} // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName)
{
    struct stat info;
    if (stat(lpFileName, &info) != 0) {
        fail_with_errno(errno, lpFileName);
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributes_of(info);
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName)
{
    if (find_unnamed(lpFileName) != nullptr) {
        release_unnamed(lpFileName);
        return TRUE;
    }
    if (unlink(lpFileName) != 0)
        return fail_with_errno(errno, lpFileName);
    return TRUE;
}
