// The thread's last error, set from the C library's errno the way Windows
// would report the same failure.
#ifndef SCRIBBLET_PLATFORM_FILES_ERROR_MAPPING_H
#define SCRIBBLET_PLATFORM_FILES_ERROR_MAPPING_H

#include "platform/platform.h"

// The Windows error code for errno value `error` from an operation on
// `path`, for the failures the program tells apart. A missing file is told
// apart from a missing folder by looking at the path's folder, as Windows
// reports ERROR_FILE_NOT_FOUND for the one and ERROR_PATH_NOT_FOUND for
// the other.
DWORD windows_error_from_errno(int error, const char *path);

// Sets the last error from errno and returns FALSE, for the failure paths
// of the file operations.
BOOL fail_with_errno(int error, const char *path);

// Sets the last error to `code` and returns FALSE.
BOOL fail_with(DWORD code);

#endif // SCRIBBLET_PLATFORM_FILES_ERROR_MAPPING_H
