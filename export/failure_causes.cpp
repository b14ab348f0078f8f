#include "export/failure_causes.h"

#include <cerrno>

namespace {

WriteFailure cause_of_system_error(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return WRITE_FOLDER_NOT_FOUND;
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED: // no right to delete the old file
        return WRITE_ACCESS_DENIED;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return WRITE_DISK_FULL;
    case ERROR_NOT_ENOUGH_MEMORY:
        return WRITE_NO_MEMORY;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return WRITE_BAD_NAME;
    default:
        return WRITE_IO_ERROR;
    }
}

WriteFailure cause_of_stream_error(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return WRITE_FOLDER_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return WRITE_ACCESS_DENIED;
    case EISDIR:
        return WRITE_NAME_IS_FOLDER;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return WRITE_DISK_FULL;
    case ENOMEM:
        return WRITE_NO_MEMORY;
    case EINVAL:
    case ENAMETOOLONG:
        return WRITE_BAD_NAME;
    default:
        return WRITE_IO_ERROR;
    }
}

} // namespace

WriteResult system_failure(DWORD code)
{
    WriteResult result = write_result(cause_of_system_error(code));
    result.system_error = code;
    return result;
}

WriteResult stream_failure(int error)
{
    WriteResult result = write_result(cause_of_stream_error(error));
    result.c_error = error;
    return result;
}
