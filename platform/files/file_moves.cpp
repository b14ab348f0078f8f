// MoveFileExA and ReplaceFileA on rename(2), which replaces a name
// atomically within one file system.
#include "platform/files/error_mapping.h"
#include "platform/files/path_parts.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs fsync on an open descriptor and closes it. Returns 0 or an errno.
int sync_and_close(int fd)
{
    int error = fsync(fd) == 0 ? 0 : errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Writes the file's data to the disk. Returns 0 or an errno.
int sync_file(const char *path)
{
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    return sync_and_close(fd);
}

// Makes a rename in `path`'s folder durable. A file system that cannot
// sync folders (EINVAL) has nothing more to write.
int sync_folder_of(const char *path)
{
    int fd = open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = sync_and_close(fd);
    return error == EINVAL ? 0 : error;
}

int sync_folders(const char *from, const char *to)
{
    int error = sync_folder_of(to);
    if (error == 0 && folder_of(from) != folder_of(to))
        error = sync_folder_of(from);
    return error;
}

// rename(2) that fails with EEXIST rather than replace `to`. File systems
// without RENAME_NOREPLACE fall back to a look first.
int rename_no_replace(const char *from, const char *to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    struct stat info;
    if (lstat(to, &info) == 0)
        return EEXIST;
    return rename(from, to) == 0 ? 0 : errno;
}

// Gives the replacement the replaced file's permission bits and, when asked,
// writes its data to the disk. Returns 0 or an errno.
int take_over_mode(const char *replacement, mode_t mode, bool write_through)
{
    int fd = open(replacement, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno;
    struct stat info;
    int error = 0;
    if (fstat(fd, &info) != 0)
        error = errno;
    else if (!S_ISREG(info.st_mode))
        error = EACCES;
    else if (fchmod(fd, mode & 07777) != 0)
        error = errno;
    if (error != 0) {
        close(fd);
        return error;
    }
    if (write_through)
        return sync_and_close(fd);
    return close(fd) == 0 ? 0 : errno;
}

} // namespace

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName,
                        DWORD dwFlags)
{
    const DWORD known = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr ||
        (dwFlags & ~known) != 0)
        return fail_with(ERROR_INVALID_PARAMETER);
    bool write_through = (dwFlags & MOVEFILE_WRITE_THROUGH) != 0;

    int error = write_through ? sync_file(lpExistingFileName) : 0;
    if (error != 0)
        return fail_with_errno(error, lpExistingFileName);
    if (dwFlags & MOVEFILE_REPLACE_EXISTING)
        error = rename(lpExistingFileName, lpNewFileName) == 0 ? 0 : errno;
    else
        error = rename_no_replace(lpExistingFileName, lpNewFileName);
    if (error != 0)
        return fail_with_errno(error, lpNewFileName);
    error = write_through ? sync_folders(lpExistingFileName, lpNewFileName) : 0;
    if (error != 0)
        return fail_with_errno(error, lpNewFileName);
    return TRUE;
}

// The replacement takes the replaced file's name and permissions. As on
// Windows, the caller must be allowed to write the replaced file. No backup
// is made; the exclude and reserved arguments must be null.
BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName,
                         LPCSTR lpReplacementFileName,
                         LPCSTR lpBackupFileName, DWORD dwReplaceFlags,
                         LPVOID lpExclude, LPVOID lpReserved)
{
    if (lpReplacedFileName == nullptr || lpReplacementFileName == nullptr ||
        lpBackupFileName != nullptr || lpExclude != nullptr ||
        lpReserved != nullptr ||
        (dwReplaceFlags & ~static_cast<DWORD>(REPLACEFILE_WRITE_THROUGH)) != 0)
        return fail_with(ERROR_INVALID_PARAMETER);
    bool write_through = (dwReplaceFlags & REPLACEFILE_WRITE_THROUGH) != 0;

    struct stat replaced;
    if (stat(lpReplacedFileName, &replaced) != 0)
        return fail_with_errno(errno, lpReplacedFileName);
    if (S_ISDIR(replaced.st_mode))
        return fail_with(ERROR_ACCESS_DENIED);
    if (faccessat(AT_FDCWD, lpReplacedFileName, W_OK, AT_EACCESS) != 0)
        return fail_with_errno(errno, lpReplacedFileName);

    int error = take_over_mode(lpReplacementFileName, replaced.st_mode,
                               write_through);
    if (error != 0)
        return fail_with_errno(error, lpReplacementFileName);
    if (rename(lpReplacementFileName, lpReplacedFileName) != 0)
        return fail_with_errno(errno, lpReplacedFileName);
    error = write_through ? sync_folder_of(lpReplacedFileName) : 0;
    if (error != 0)
        return fail_with_errno(error, lpReplacedFileName);
    return TRUE;
}
