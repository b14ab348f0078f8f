// Writes a canvas read-out as an uncompressed 24-bit bottom-up BMP file.
#ifndef SCRIBBLET_EXPORT_BMP_WRITER_H
#define SCRIBBLET_EXPORT_BMP_WRITER_H

#include "export/write_result.h"
#include "platform/platform.h"

// read_out: width × height pixels of 4 bytes (blue, green, red, spare), top
// row first. A width or height of 0 gives a file of the 54 header bytes.
// The file appears complete or not at all: a file already there survives
// any failure unchanged; a replaced file keeps its permissions.
WriteResult write_bmp(const char *file_name, const BYTE *read_out, LONG width,
                      LONG height);

#endif // SCRIBBLET_EXPORT_BMP_WRITER_H
