// Saving without risk to a file already there: the new content goes to a
// new file in the same folder, which takes the target's name only once it
// is complete. A failure at any step leaves the target as it was and no
// new file behind, but one: when Windows has deleted the old file and the
// new one cannot take its name, the new one is kept and named in the result.
#ifndef SCRIBBLET_EXPORT_REPLACEMENT_FILE_H
#define SCRIBBLET_EXPORT_REPLACEMENT_FILE_H

#include "export/write_result.h"
#include "platform/platform.h"

#include <cstdio>

struct ReplacementFile {
    const char *target;       // the name the file is saved under
    char temp_name[MAX_PATH]; // the new file while it is being written
    FILE *stream;             // open for writing byte for byte
    char *buffer;             // the stream's buffer, freed when it closes
};

// Creates the new file next to `target` (or, when the folder refuses it
// and the target exists, in the system's temporary folder) and opens it
// for writing. A target that is a device, a pipe or a socket is refused
// first. On failure nothing is left to discard.
WriteResult open_replacement(ReplacementFile *file, const char *target);

// Checks that everything written reached the file and the disk, closes it
// and moves it over the target, which, when it existed, keeps its
// permissions (and, on Linux, its owner, its other names and the links that
// lead to it). On failure the new file is deleted, unless the old one is
// already gone (WRITE_KEPT_ELSEWHERE).
WriteResult commit_replacement(ReplacementFile *file);

// Closes and deletes the new file; the target stays as it was.
void discard_replacement(ReplacementFile *file);

#endif // SCRIBBLET_EXPORT_REPLACEMENT_FILE_H
