// GetTempFileNameA: "<path>/<prefix><hex>.tmp", created empty when the
// caller leaves the number to us.
#include "platform/files/error_mapping.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace {

const size_t longest_folder = MAX_PATH - 14;
const size_t prefix_length = 3;
const UINT unique_count = 0x10000;

void format_name(char *out, const char *folder, const char *prefix,
                 UINT unique)
{
    size_t folder_length = std::strlen(folder);
    const char *separator =
        folder_length == 0 || folder[folder_length - 1] == '/' ? "" : "/";
    std::snprintf(out, MAX_PATH, "%s%s%.*s%X.tmp", folder, separator,
                  static_cast<int>(prefix_length), prefix, unique);
}

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

} // namespace

UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString,
                             UINT uUnique, LPSTR lpTempFileName)
{
    if (lpPathName == nullptr || lpTempFileName == nullptr)
        return fail_with(ERROR_INVALID_PARAMETER);
    if (std::strlen(lpPathName) > longest_folder)
        return fail_with(ERROR_BUFFER_OVERFLOW);
    const char *prefix = lpPrefixString != nullptr ? lpPrefixString : "";

    uUnique &= unique_count - 1;
    if (uUnique != 0) {
        format_name(lpTempFileName, lpPathName, prefix, uUnique);
        return uUnique;
    }
    UINT unique = random_start();
    for (UINT tries = 1; tries < unique_count; ++tries) {
        format_name(lpTempFileName, lpPathName, prefix, unique);
        int error = create_new_file(lpTempFileName);
        if (error == 0)
            return unique;
        // Windows names a folder that is missing, or is not a folder,
        // ERROR_DIRECTORY here rather than a missing path.
        if (error == ENOENT || error == ENOTDIR)
            return fail_with(ERROR_DIRECTORY);
        if (error != EEXIST)
            return fail_with_errno(error, lpTempFileName);
        unique = next_unique(unique);
    }
    return fail_with(ERROR_FILE_EXISTS);
}
