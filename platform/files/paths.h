// Path names: a path's folder, and the file a name finally stands for
// through its symbolic links.
#ifndef SCRIBBLET_PLATFORM_FILES_PATHS_H
#define SCRIBBLET_PLATFORM_FILES_PATHS_H

#include <string>

// The folder that holds `path`: "." for a bare name, "/" for a name at the
// root, else everything before the last slash.
std::string folder_of(const char *path);

// While the last part of `path` is a symbolic link, the name the link holds
// (relative to the link's folder when it is relative). A dangling link gives
// the name it points at, which a new file would take. Returns 0, or ELOOP
// for a circle of links, or the errno of a link that cannot be read.
int final_name(const char *path, std::string *out);

#endif // SCRIBBLET_PLATFORM_FILES_PATHS_H
