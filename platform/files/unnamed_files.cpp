#include "platform/files/unnamed_files.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// The unnamed files the program holds: a handful at most, on its one
// thread.
std::vector<UnnamedFile> &held_files()
{
    static std::vector<UnnamedFile> files;
    return files;
}

} // namespace

int create_unnamed(const char *folder, const char *prefix, std::string *name)
{
    int fd = open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    std::string own_name = "/proc/self/fd/" + std::to_string(fd);
    // Without /proc the file could not be opened by name: no use to anyone.
    if (access(own_name.c_str(), W_OK) != 0) {
        close(fd);
        return EOPNOTSUPP;
    }
    held_files().push_back({own_name, prefix, fd});
    *name = own_name;
    return 0;
}

const UnnamedFile *find_unnamed(const char *name)
{
    for (const UnnamedFile &file : held_files())
        if (file.name == name)
            return &file;
    return nullptr;
}

int link_unnamed(const UnnamedFile &file, const char *path)
{
    // Through /proc, which needs no privilege, unlike AT_EMPTY_PATH.
    if (linkat(AT_FDCWD, file.name.c_str(), AT_FDCWD, path,
               AT_SYMLINK_FOLLOW) != 0)
        return errno;
    return 0;
}

void release_unnamed(const char *name)
{
    std::vector<UnnamedFile> &files = held_files();
    for (auto file = files.begin(); file != files.end(); ++file)
        if (file->name == name) {
            close(file->fd);
            files.erase(file);
            return;
        }
}
