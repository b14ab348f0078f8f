// The names of temporary files: "<folder>/<prefix><hex>.tmp", as Windows
// forms them, with up to three characters of the prefix.
#ifndef SCRIBBLET_PLATFORM_FILES_TEMP_NAMES_H
#define SCRIBBLET_PLATFORM_FILES_TEMP_NAMES_H

#include "platform/platform.h"

#include <functional>
#include <string>

// Finds a free name in `folder`: `create` makes a file under the name it is
// given and returns 0, EEXIST when the name is taken, or another errno,
// which ends the search. Returns 0, the name and its number, or an errno.
int claim_temp_name(const char *folder, const char *prefix,
                    const std::function<int(const char *)> &create,
                    std::string *name, UINT *unique);

#endif // SCRIBBLET_PLATFORM_FILES_TEMP_NAMES_H
