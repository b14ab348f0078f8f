// GetTempPathA and GetTempFileNameA, for a new file whose number is left to
// us (the program gives none). It has no name in its folder where the file
// system allows it, so that a process that dies while writing it leaves
// nothing behind: the name returned is the one the process opens it by
// until it is moved to a name of its own or deleted. Elsewhere (FAT, as on
// most memory sticks) it is "<path>/<prefix><hex>.tmp", created empty, as
// on Windows.
#include "platform/files/error_mapping.h"
#include "platform/files/temp_names.h"
#include "platform/files/unnamed_files.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/random.h>
#include <unistd.h>

namespace {

const size_t longest_folder = MAX_PATH - 14;
const size_t prefix_length = 3;
const UINT unique_count = 0x10000;

// A starting number that another process cannot guess, so that names
// cannot be claimed ahead of us; O_EXCL keeps creation safe either way.
UINT random_start()
{
    unsigned short value = 0;
    if (getrandom(&value, sizeof value, GRND_NONBLOCK) != sizeof value)
        value = static_cast<unsigned short>(std::time(nullptr) ^ getpid());
    return value == 0 ? 1 : value;
}

UINT next_unique(UINT unique)
{
    unique = (unique + 1) % unique_count;
    return unique == 0 ? 1 : unique;
}

std::string temp_name(const char *folder, const char *prefix, UINT unique)
{
    size_t folder_length = std::strlen(folder);
    const char *separator =
        folder_length == 0 || folder[folder_length - 1] == '/' ? "" : "/";
    char tail[32];
    std::snprintf(tail, sizeof tail, "%.*s%X.tmp",
                  static_cast<int>(prefix_length), prefix, unique);
    return std::string(folder) + separator + tail;
}

// Creates `name` as a new empty file with the permissions a direct creation
// would give it (0666 less the umask). Returns 0, or the errno of failure.
int create_new_file(const char *name)
{
    int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    if (close(fd) != 0) {
        int error = errno;
        unlink(name);
        return error;
    }
    return 0;
}

// The last error for a failure to make a file in the folder: Windows names
// a folder that is missing, or is not a folder, ERROR_DIRECTORY here rather
// than a missing path.
UINT fail_in_folder(int error, const char *name)
{
    if (error == ENOENT || error == ENOTDIR)
        return fail_with(ERROR_DIRECTORY);
    return fail_with_errno(error, name);
}

bool file_system_lacks_unnamed_files(int error)
{
    return error == EOPNOTSUPP || error == EISDIR;
}

// A named temporary file, as Windows makes it; its name must fit MAX_PATH.
UINT create_named(LPCSTR folder, LPCSTR prefix, LPSTR out)
{
    if (std::strlen(folder) > longest_folder)
        return fail_with(ERROR_BUFFER_OVERFLOW);
    std::string name;
    UINT unique = 0;
    int error =
        claim_temp_name(folder, prefix, create_new_file, &name, &unique);
    if (error != 0)
        return fail_in_folder(error, name.c_str());
    std::memcpy(out, name.c_str(), name.size() + 1);
    return unique;
}

} // namespace

int claim_temp_name(const char *folder, const char *prefix,
                    const std::function<int(const char *)> &create,
                    std::string *name, UINT *unique)
{
    UINT candidate = random_start();
    for (UINT tries = 1; tries < unique_count; ++tries) {
        *name = temp_name(folder, prefix, candidate);
        int error = create(name->c_str());
        if (error != EEXIST) {
            *unique = candidate;
            return error;
        }
        candidate = next_unique(candidate);
    }
    return EEXIST;
}

DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    const char *folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] != '/')
        folder = "/tmp";
    std::string path = folder;
    if (path.back() != '/')
        path += '/';
    // Windows' count: without the NUL when the path fits, with it when not.
    if (lpBuffer == nullptr || path.size() >= nBufferLength)
        return static_cast<DWORD>(path.size() + 1);
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString,
                             UINT uUnique, LPSTR lpTempFileName)
{
    if (lpPathName == nullptr || lpTempFileName == nullptr || uUnique != 0)
        return fail_with(ERROR_INVALID_PARAMETER);
    const char *prefix = lpPrefixString != nullptr ? lpPrefixString : "";
    std::string name;
    int error = create_unnamed(lpPathName, prefix, &name);
    if (error == 0) {
        // Its name is short whatever the folder's length.
        std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
        return random_start();
    }
    if (!file_system_lacks_unnamed_files(error))
        return fail_in_folder(error, lpPathName);
    return create_named(lpPathName, prefix, lpTempFileName);
}
