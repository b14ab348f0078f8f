// Splitting a path into its folder and the rest.
#ifndef SCRIBBLET_PLATFORM_FILES_PATH_PARTS_H
#define SCRIBBLET_PLATFORM_FILES_PATH_PARTS_H

#include <string>

// The folder that holds `path`: "." for a bare name, "/" for a name at the
// root, else everything before the last slash.
std::string folder_of(const char *path);

#endif // SCRIBBLET_PLATFORM_FILES_PATH_PARTS_H
