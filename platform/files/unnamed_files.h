// Temporary files without a name in their folder, where the file system
// allows them (O_TMPFILE): a process that dies while writing one leaves
// nothing behind. Each is held open under a name that the process can open
// like any other, "/proc/self/fd/<n>", until it is linked in or released.
#ifndef SCRIBBLET_PLATFORM_FILES_UNNAMED_FILES_H
#define SCRIBBLET_PLATFORM_FILES_UNNAMED_FILES_H

#include <string>

struct UnnamedFile {
    std::string name;   // what the process opens it by
    std::string prefix; // the caller's prefix, for a name it may need later
    int fd;             // open for reading and writing
};

// Creates an unnamed file in `folder` with the permissions a direct creation
// would give it (0666 less the umask). Returns 0 and the file's name, or an
// errno; EOPNOTSUPP (or EISDIR on older kernels) when the file system has
// no unnamed files.
int create_unnamed(const char *folder, const char *prefix, std::string *name);

// The unnamed file that `name` stands for, or null.
const UnnamedFile *find_unnamed(const char *name);

// Gives the unnamed file the new name `path` (EEXIST when taken).
int link_unnamed(const UnnamedFile &file, const char *path);

// Closes the unnamed file; unless it was linked in, it is gone.
void release_unnamed(const char *name);

#endif // SCRIBBLET_PLATFORM_FILES_UNNAMED_FILES_H
