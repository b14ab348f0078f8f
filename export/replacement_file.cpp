#include "export/replacement_file.h"

#include "export/failure_causes.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#endif

namespace {

const char temp_prefix[] = "~sc";
const size_t stream_buffer_size = 256 * 1024;

bool is_separator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/' || c == ':';
#else
    return c == '/';
#endif
}

// Copies the folder part of `path` (with its final separator, so that a
// root stays a root) into `folder`, or "." for a bare name. False when the
// path is too long for the platform's names.
bool folder_of(const char *path, char folder[MAX_PATH])
{
    size_t length = std::strlen(path);
    if (length >= MAX_PATH)
        return false;
    size_t end = length;
    while (end > 0 && !is_separator(path[end - 1]))
        --end;
    if (end == 0) {
        std::strcpy(folder, ".");
        return true;
    }
    std::memcpy(folder, path, end);
    folder[end] = '\0';
    return true;
}

// Whether the existing name `target` stands, directly or through links, for
// a file on a disk. Anything else is a device (on Windows also NUL, CON,
// COM1 and the like, in any folder and with any extension), a pipe or a
// socket, and nothing is saved under it: written into, a device or a pipe's
// reader would get part of a drawing, or none and a save waiting for a
// reader; replaced, the device or pipe would be gone for everything else
// that uses it. A handle with no access only asks: it neither reads nor
// writes. A name that exists but gives no such handle is no file either:
// Windows' device names whose device is missing or taken (CON, PRN, LPT1).
bool is_file_on_disk(const char *target)
{
    HANDLE handle = CreateFileA(
        target, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_DISK;
}

// What stands in the way of saving under `target`, if anything.
WriteFailure obstacle_at(const char *target)
{
    DWORD attributes = GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return WRITE_OK;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return WRITE_NAME_IS_FOLDER;
    if (!is_file_on_disk(target))
        return WRITE_NOT_A_FILE;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return WRITE_ACCESS_DENIED;
    return WRITE_OK;
}

// Whether the new file may be made away from the target when it cannot be
// made beside it: the folder takes no new file from this user, but the
// target exists and may be writable, as a direct write would find it.
// Replacing the target then brings the content over (on Linux by writing it
// into the file in place; Windows moves files only where it may delete the
// replaced one). A target that does not exist yet can only be made in its
// folder, so there the first failure stands.
bool may_make_elsewhere(DWORD code, const char *target)
{
    return code == ERROR_ACCESS_DENIED &&
           GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES;
}

// Creates the new file beside `target`, else in the system's temporary
// folder where may_make_elsewhere allows. FALSE with the last error of the
// first attempt when neither works.
BOOL make_temp_file(const char *folder, const char *target,
                    char temp_name[MAX_PATH])
{
    if (GetTempFileNameA(folder, temp_prefix, 0, temp_name) != 0)
        return TRUE;
    DWORD code = GetLastError();
    char temp_folder[MAX_PATH];
    if (may_make_elsewhere(code, target)) {
        DWORD length = GetTempPathA(MAX_PATH, temp_folder);
        if (length > 0 && length < MAX_PATH &&
            GetTempFileNameA(temp_folder, temp_prefix, 0, temp_name) != 0)
            return TRUE;
    }
    SetLastError(code);
    return FALSE;
}

// Closes the stream, keeping the first error seen. Returns 0 or an errno.
int close_stream(ReplacementFile *file, int error)
{
    if (std::fclose(file->stream) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    file->stream = nullptr;
    std::free(file->buffer);
    file->buffer = nullptr;
    return error;
}

#ifdef _WIN32
// Forces the new file's data to the disk before it takes the target's name,
// so that a power cut leaves the old file or the whole new one. Windows'
// ReplaceFile has no write-through (REPLACEFILE_WRITE_THROUGH is documented
// as unsupported), and MoveFileEx's covers only a move made as a copy. The
// Linux layer does this in both calls, from their write-through flags.
BOOL force_to_disk(FILE *stream)
{
    return FlushFileBuffers(
        reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
}
#endif

// Gives the complete new file the target's name, taking no name that
// appeared meanwhile.
BOOL take_target_name(const ReplacementFile *file)
{
    return MoveFileExA(file->temp_name, file->target, MOVEFILE_WRITE_THROUGH);
}

// Moves the complete new file over the target; a file already there is
// replaced so that it keeps its attributes. Windows' ReplaceFile may fail
// with ERROR_UNABLE_TO_MOVE_REPLACEMENT after the old file is gone, the new
// one still under its temporary name: that one then takes the name itself,
// and when it cannot, the error stays ERROR_UNABLE_TO_MOVE_REPLACEMENT.
BOOL move_into_place(const ReplacementFile *file)
{
    if (GetFileAttributesA(file->target) == INVALID_FILE_ATTRIBUTES)
        return take_target_name(file);
    if (ReplaceFileA(file->target, file->temp_name, nullptr,
                     REPLACEFILE_WRITE_THROUGH, nullptr, nullptr))
        return TRUE;
    if (GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT)
        return FALSE;
    if (take_target_name(file))
        return TRUE;
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

// The old file is gone and the new one could not take its name: it stays
// where it is, and its name is told, so that the drawing is not lost.
WriteResult kept_elsewhere(const ReplacementFile *file)
{
    WriteResult result = system_failure(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    result.failure = WRITE_KEPT_ELSEWHERE;
    std::memcpy(result.kept_file, file->temp_name, sizeof result.kept_file);
    return result;
}

} // namespace

WriteResult open_replacement(ReplacementFile *file, const char *target)
{
    file->target = target;
    file->temp_name[0] = '\0';
    file->stream = nullptr;
    file->buffer = nullptr;

    char folder[MAX_PATH];
    if (!folder_of(target, folder))
        return write_result(WRITE_BAD_NAME);
    WriteFailure obstacle = obstacle_at(target);
    if (obstacle != WRITE_OK)
        return write_result(obstacle);
    if (!make_temp_file(folder, target, file->temp_name))
        return system_failure(GetLastError());

    errno = 0;
    file->stream = std::fopen(file->temp_name, "wb");
    if (file->stream == nullptr) {
        int error = errno;
        DeleteFileA(file->temp_name);
        return stream_failure(error);
    }
    // Large writes: far fewer system calls for a big canvas. The buffer is
    // ours, since a C library may ignore the size when it is to choose the
    // buffer itself (glibc does). Without it the default one serves.
    file->buffer = static_cast<char *>(std::malloc(stream_buffer_size));
    if (file->buffer != nullptr)
        std::setvbuf(file->stream, file->buffer, _IOFBF, stream_buffer_size);
    return write_result(WRITE_OK);
}

WriteResult commit_replacement(ReplacementFile *file)
{
    errno = 0;
    int error = 0;
    if (std::fflush(file->stream) != 0 || std::ferror(file->stream))
        error = errno != 0 ? errno : EIO;
#ifdef _WIN32
    if (error == 0 && !force_to_disk(file->stream)) {
        DWORD code = GetLastError();
        discard_replacement(file);
        return system_failure(code);
    }
#endif
    error = close_stream(file, error);
    if (error != 0) {
        DeleteFileA(file->temp_name);
        return stream_failure(error);
    }
    if (!move_into_place(file)) {
        DWORD code = GetLastError();
        if (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
            return kept_elsewhere(file);
        DeleteFileA(file->temp_name);
        return system_failure(code);
    }
    return write_result(WRITE_OK);
}

void discard_replacement(ReplacementFile *file)
{
    if (file->stream != nullptr)
        close_stream(file, 0);
    DeleteFileA(file->temp_name);
}
