// Following a name's symbolic links to the file it finally stands for.
#ifndef SCRIBBLET_PLATFORM_FILES_FINAL_NAME_H
#define SCRIBBLET_PLATFORM_FILES_FINAL_NAME_H

#include <string>

// While the last part of `path` is a symbolic link, the name the link holds
// (relative to the link's folder when it is relative). A dangling link gives
// the name it points at, which a new file would take. Returns 0, or ELOOP
// for a circle of links, or the errno of a link that cannot be read.
int final_name(const char *path, std::string *out);

#endif // SCRIBBLET_PLATFORM_FILES_FINAL_NAME_H
