// MoveFileExA, to a name not taken (the program replaces files with
// ReplaceFileA), and ReplaceFileA. A finished file takes its name by
// rename(2), or by linkat(2) when it has none yet; either is atomic within
// one file system. A name that is a symbolic link stands for the file it
// points to, as when the file is written directly: the file is replaced
// beside its own name and the link stays a link.
//
// Write-through forces the file's data to the disk before the file takes
// its name, so that after a power cut the name shows the old file or the
// whole new one, never part of it. The name itself, as with a rename on
// Windows (where write-through flushes only a move made as a copy), reaches
// the disk with the file system's next journal commit: a second forced
// commit per save would cost as much again as the data of a small one.
#include "platform/files/error_mapping.h"
#include "platform/files/paths.h"
#include "platform/files/temp_names.h"
#include "platform/files/unnamed_files.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const size_t copy_chunk = 1 << 20;

// Runs fsync on an open descriptor and closes it. Returns 0 or an errno.
int sync_and_close(int fd)
{
    int error = fsync(fd) == 0 ? 0 : errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// The file being moved, open: an unnamed file's own descriptor, or the
// named file opened for the time of the call.
struct Source {
    const char *name;
    const UnnamedFile *unnamed; // null for a named file
    int fd;
};

int open_source(const char *name, Source *source)
{
    source->name = name;
    source->unnamed = find_unnamed(name);
    source->fd = source->unnamed != nullptr
                     ? source->unnamed->fd
                     : open(name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    return source->fd < 0 ? errno : 0;
}

void close_source(const Source &source)
{
    if (source.unnamed == nullptr)
        close(source.fd);
}

// Once the source's content lives on under another name: an unnamed file
// is let go, a named one (copied, not moved) deleted.
void drop_source(const Source &source, bool renamed)
{
    if (source.unnamed != nullptr)
        release_unnamed(source.name);
    else if (!renamed)
        unlink(source.name);
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

int rename_over(const char *from, const char *to)
{
    return rename(from, to) == 0 ? 0 : errno;
}

// Gives the source the name `to`; whatever `to` named is replaced only
// when `replace`.
int take_name(const Source &source, const std::string &to, bool replace)
{
    if (source.unnamed == nullptr)
        return replace ? rename_over(source.name, to.c_str())
                       : rename_no_replace(source.name, to.c_str());
    if (!replace)
        return link_unnamed(*source.unnamed, to.c_str());
    // A link cannot replace a name: the file takes a temporary name beside
    // `to` first, then moves over it.
    std::string interim;
    UINT unique = 0;
    int error = claim_temp_name(
        folder_of(to.c_str()).c_str(), source.unnamed->prefix.c_str(),
        [&](const char *name) { return link_unnamed(*source.unnamed, name); },
        &interim, &unique);
    if (error == 0 && (error = rename_over(interim.c_str(), to.c_str())) != 0)
        unlink(interim.c_str());
    return error;
}

int write_all(int fd, const char *bytes, size_t count)
{
    while (count > 0) {
        ssize_t written = write(fd, bytes, count);
        if (written < 0)
            return errno;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return 0;
}

// Copies the whole of `from` to the start of `to`. Returns 0 or an errno.
int copy_content(int from, int to)
{
    std::vector<char> chunk(copy_chunk);
    for (off_t offset = 0;;) {
        ssize_t got = pread(from, chunk.data(), chunk.size(), offset);
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        int error = write_all(to, chunk.data(), static_cast<size_t>(got));
        if (error != 0)
            return error;
        offset += got;
    }
}

// Writes the finished content over the file `target` itself. This gives up
// atomicity (a crash halfway leaves part old, part new content), so it
// serves only where no new file can take the name: the file has other
// names (hard links) that must go on showing one file, or its folder takes
// no new name from this user while the file itself is writable, as it is
// to a direct write. The window is kept short: the content is complete
// before the file is touched, then written in one go, cut to its length
// and synced.
int write_in_place(const Source &source, const std::string &target)
{
    struct stat content;
    if (fstat(source.fd, &content) != 0)
        return errno;
    int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = copy_content(source.fd, fd);
    if (error == 0 && ftruncate(fd, content.st_size) != 0)
        error = errno;
    int sync_error = sync_and_close(fd);
    return error != 0 ? error : sync_error;
}

// Gives the replacement the replaced file's owner and group, where this
// process may set them (root always may), and its permission bits, after
// the owner since a change of owner clears the set-id bits. When asked,
// writes the replacement's data to the disk. Returns 0 or an errno.
int take_over_file(const Source &source, const struct stat &replaced,
                   bool write_through)
{
    struct stat info;
    if (fstat(source.fd, &info) != 0)
        return errno;
    if ((info.st_uid != replaced.st_uid || info.st_gid != replaced.st_gid) &&
        fchown(source.fd, replaced.st_uid, replaced.st_gid) != 0 &&
        errno != EPERM)
        return errno;
    if (fchmod(source.fd, replaced.st_mode & 07777) != 0)
        return errno;
    if (write_through && fsync(source.fd) != 0)
        return errno;
    return 0;
}

// No new name can go where the replaced file is: its folder is not ours
// to write, or its file system has no unnamed files for a copy.
bool name_cannot_go_there(int error)
{
    return error == EACCES || error == EPERM || error == EOPNOTSUPP ||
           error == EISDIR;
}

// The replacement lies on another file system than the replaced file (it
// was made beside a link that points there, or in the temporary folder):
// a copy of it, made beside the replaced file, takes the name.
int replace_by_copy(const Source &source, const std::string &target,
                    const struct stat &replaced, bool write_through)
{
    std::string name;
    const char *prefix =
        source.unnamed != nullptr ? source.unnamed->prefix.c_str() : "";
    int error =
        create_unnamed(folder_of(target.c_str()).c_str(), prefix, &name);
    if (error != 0)
        return error;
    Source copy;
    open_source(name.c_str(), &copy);
    error = copy_content(source.fd, copy.fd);
    if (error == 0)
        error = take_over_file(copy, replaced, write_through);
    if (error == 0)
        error = take_name(copy, target, true);
    release_unnamed(name.c_str());
    return error;
}

// Replaces the content of `target`, described by `replaced`: atomically,
// by a rename, where that keeps the file one file; else in place. True in
// `renamed` when the replacement itself took the name.
int replace_file(const Source &source, const std::string &target,
                 const struct stat &replaced, bool write_through, bool *renamed)
{
    *renamed = false;
    if (replaced.st_nlink > 1)
        return write_in_place(source, target);
    int error = take_over_file(source, replaced, write_through);
    if (error != 0)
        return error;
    error = take_name(source, target, true);
    *renamed = error == 0;
    if (error == EXDEV)
        error = replace_by_copy(source, target, replaced, write_through);
    if (name_cannot_go_there(error))
        error = write_in_place(source, target);
    return error;
}

} // namespace

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName,
                        DWORD dwFlags)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr ||
        (dwFlags & ~static_cast<DWORD>(MOVEFILE_WRITE_THROUGH)) != 0)
        return fail_with(ERROR_INVALID_PARAMETER);
    bool write_through = (dwFlags & MOVEFILE_WRITE_THROUGH) != 0;

    std::string target;
    int error = final_name(lpNewFileName, &target);
    if (error != 0)
        return fail_with_errno(error, lpNewFileName);
    Source source;
    if ((error = open_source(lpExistingFileName, &source)) != 0)
        return fail_with_errno(error, lpExistingFileName);
    if (write_through && fsync(source.fd) != 0)
        error = errno;
    if (error == 0)
        error = take_name(source, target, false);
    close_source(source);
    if (error != 0)
        return fail_with_errno(error, lpNewFileName);
    drop_source(source, true);
    return TRUE;
}

// The replacement takes the replaced file's name, owner and permissions. As
// on Windows, the replaced file must be a file (not a folder, a device, a
// pipe or a socket) that the caller may write. No backup is made; the
// exclude and reserved arguments must be null.
BOOL WINAPI ReplaceFileA(LPCSTR lpReplacedFileName,
                         LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName,
                         DWORD dwReplaceFlags, LPVOID lpExclude,
                         LPVOID lpReserved)
{
    if (lpReplacedFileName == nullptr || lpReplacementFileName == nullptr ||
        lpBackupFileName != nullptr || lpExclude != nullptr ||
        lpReserved != nullptr ||
        (dwReplaceFlags & ~static_cast<DWORD>(REPLACEFILE_WRITE_THROUGH)) != 0)
        return fail_with(ERROR_INVALID_PARAMETER);
    bool write_through = (dwReplaceFlags & REPLACEFILE_WRITE_THROUGH) != 0;

    std::string target;
    int error = final_name(lpReplacedFileName, &target);
    if (error != 0)
        return fail_with_errno(error, lpReplacedFileName);
    struct stat replaced;
    if (stat(target.c_str(), &replaced) != 0)
        return fail_with_errno(errno, lpReplacedFileName);
    if (!S_ISREG(replaced.st_mode))
        return fail_with(ERROR_ACCESS_DENIED);
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return fail_with_errno(errno, lpReplacedFileName);

    Source source;
    if ((error = open_source(lpReplacementFileName, &source)) != 0)
        return fail_with_errno(error, lpReplacementFileName);
    bool renamed = false;
    error = replace_file(source, target, replaced, write_through, &renamed);
    close_source(source);
    if (error != 0)
        return fail_with_errno(error, lpReplacedFileName);
    drop_source(source, renamed);
    return TRUE;
}
