// Writes an RGB buffer as a JPEG file of quality 80 with libjpeg's defaults.
#ifndef SCRIBBLET_EXPORT_JPEG_WRITER_H
#define SCRIBBLET_EXPORT_JPEG_WRITER_H

#include "export/write_result.h"
#include "platform/platform.h"

// rgb: rows of 3 × width bytes (red, green, blue), top row first, no
// padding. A width or height of 0 fails with WRITE_NO_PIXELS and creates
// nothing. When the file cannot be created, "can't open <name>" goes to the
// standard error stream; the library's own messages go there too. The file
// appears complete or not at all, as with write_bmp.
WriteResult write_jpeg(const char *file_name, const BYTE *rgb, LONG width,
                       LONG height);

#endif // SCRIBBLET_EXPORT_JPEG_WRITER_H
