// What a writer reports back: success, or the cause of its failure with the
// detail a caller can show the user.
#ifndef SCRIBBLET_EXPORT_WRITE_RESULT_H
#define SCRIBBLET_EXPORT_WRITE_RESULT_H

#include "platform/platform.h"

enum WriteFailure {
    WRITE_OK = 0,
    WRITE_NO_PIXELS,        // width or height is 0 (or negative)
    WRITE_TOO_LARGE,        // the format cannot hold an image of this size
    WRITE_NO_MEMORY,        // a buffer could not be allocated
    WRITE_FOLDER_NOT_FOUND, // the folder of the file does not exist
    WRITE_ACCESS_DENIED,    // no permission to write the file or its folder
    WRITE_NAME_IS_FOLDER,   // the name is that of an existing folder
    WRITE_NOT_A_FILE,       // the name is a device's, a pipe's or a socket's
    WRITE_BAD_NAME,         // the name is invalid or too long
    WRITE_DISK_FULL, // no space left on the disk (or over a file-size limit)
    WRITE_IO_ERROR,  // any other error while writing or replacing the file
    WRITE_LIBRARY_ERROR, // the JPEG library stopped with a fatal error
    WRITE_KEPT_ELSEWHERE // the old file is gone; the new one is in kept_file
};

#define WRITE_MESSAGE_MAX                                                      \
    200 // the JPEG library's message length (JMSG_LENGTH_MAX)

struct WriteResult {
    WriteFailure failure; // WRITE_OK when the file was written
    DWORD
    system_error; // GetLastError() of the platform call that failed, else 0
    int c_error;  // errno of the stream call that failed, else 0
    char library_message[WRITE_MESSAGE_MAX]; // the JPEG library's message, else
                                             // ""
    char kept_file[MAX_PATH]; // for WRITE_KEPT_ELSEWHERE, else ""
};

// A short Japanese description of a cause, one sentence, for a message box
// that also names the file (narrow text in the program's code page).
const char *write_failure_text(WriteFailure failure);

// A result for the given cause, without detail.
WriteResult write_result(WriteFailure failure);

#endif // SCRIBBLET_EXPORT_WRITE_RESULT_H
