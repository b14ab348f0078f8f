#include "platform/files/paths.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel's own limit on links followed in one look-up.
const int most_links = 40;

} // namespace

int final_name(const char *path, std::string *out)
{
    std::string name = path;
    for (int links = 0; links <= most_links; ++links) {
        struct stat info;
        if (lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            *out = name;
            return 0;
        }
        char target[PATH_MAX];
        ssize_t length = readlink(name.c_str(), target, sizeof target - 1);
        if (length < 0)
            return errno;
        target[length] = '\0';
        if (target[0] == '/')
            name = target;
        else
            name = folder_of(name.c_str()) + "/" + target;
    }
    return ELOOP;
}

std::string folder_of(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    if (slash == nullptr)
        return ".";
    if (slash == path)
        return "/";
    return std::string(path, static_cast<size_t>(slash - path));
}
