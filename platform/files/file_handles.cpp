// CreateFileA, GetFileType and CloseHandle, for what the program asks of
// them: what kind of file an existing name stands for, links followed. The
// handle asks for no access (0), as on Windows a handle only for asking: the
// file is neither read nor written, so a pipe waits for no writer and a
// device does nothing. Linux has no sharing modes; the one asked for is
// taken as given.
#include "platform/files/error_mapping.h"
#include "platform/handles/handle_table.h"
#include "platform/platform.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The descriptor behind each handle.
scribblet::HandleTable<int, HANDLE> &open_files()
{
    static scribblet::HandleTable<int, HANDLE> table(
        scribblet::HandleKind::file);
    return table;
}

HANDLE fail_to_open(DWORD code)
{
    fail_with(code);
    return INVALID_HANDLE_VALUE;
}

} // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                          DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    if (dwDesiredAccess != 0 || lpSecurityAttributes != nullptr ||
        dwCreationDisposition != OPEN_EXISTING || dwFlagsAndAttributes != 0 ||
        hTemplateFile != nullptr)
        return fail_to_open(ERROR_INVALID_PARAMETER);
    // The handle's room first, so that no descriptor is left open when
    // there is none.
    auto fd = std::make_unique<int>();
    if ((*fd = open(lpFileName, O_PATH | O_CLOEXEC)) < 0)
        return fail_to_open(windows_error_from_errno(errno, lpFileName));
    return open_files().add(std::move(fd));
}

// Files and folders are disk files to Windows; a device node of either kind
// is a device, which Windows calls a character file; FIFOs and sockets are
// both what Windows calls pipes.
DWORD WINAPI GetFileType(HANDLE hFile)
{
    const int *fd = open_files().lookup(hFile);
    struct stat info;
    if (fd == nullptr || fstat(*fd, &info) != 0) {
        fail_with(ERROR_INVALID_HANDLE);
        return FILE_TYPE_UNKNOWN;
    }
    if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))
        return FILE_TYPE_DISK;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))
        return FILE_TYPE_PIPE;
    return FILE_TYPE_CHAR;
}

BOOL WINAPI CloseHandle(HANDLE hObject)
{
    std::unique_ptr<int> fd = open_files().remove(hObject);
    return fd != nullptr && close(*fd) == 0 ? TRUE
                                            : fail_with(ERROR_INVALID_HANDLE);
}
