#include "export/jpeg_writer.h"

#include "export/failure_causes.h"
#include "export/replacement_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
// windows.h already declares boolean as unsigned char, the type Windows
// builds of the library are compiled with.
#define HAVE_BOOLEAN
#endif
#include <jpeglib.h>
#include <jerror.h>

static_assert(WRITE_MESSAGE_MAX >= JMSG_LENGTH_MAX,
              "a result holds the library's whole message");

namespace {

const int quality = 80;

// The library's standard error manager, except that a fatal error hands
// control back to the writer instead of ending the process. The message
// still goes to the standard error stream through the standard
// output_message.
struct HandBackErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf writer;
    int c_error; // errno when the error was raised, for write errors
};

[[noreturn]] void hand_back(j_common_ptr cinfo)
{
    HandBackErrorManager *manager =
        reinterpret_cast<HandBackErrorManager *>(cinfo->err);
    manager->c_error = errno;
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(manager->writer, 1);
}

WriteResult library_failure(j_common_ptr cinfo, int c_error)
{
    WriteResult result;
    switch (cinfo->err->msg_code) {
    case JERR_FILE_WRITE:
        result = stream_failure(c_error != 0 ? c_error : EIO);
        break;
    case JERR_OUT_OF_MEMORY:
        result = write_result(WRITE_NO_MEMORY);
        break;
    case JERR_IMAGE_TOO_BIG:
        result = write_result(WRITE_TOO_LARGE);
        break;
    case JERR_EMPTY_IMAGE:
        result = write_result(WRITE_NO_PIXELS);
        break;
    default:
        result = write_result(WRITE_LIBRARY_ERROR);
        break;
    }
    (*cinfo->err->format_message)(cinfo, result.library_message);
    return result;
}

// The compression object and its error manager. The caller of
// compress_rows owns them and passes them in by pointer: compress_rows calls
// setjmp, and its own locals changed after setjmp would hold indeterminate
// values after the jump (libjpeg's example warns of this); these live
// outside its frame, so what it reads after the jump is what the library
// left there.
struct Compression {
    jpeg_compress_struct cinfo;
    HandBackErrorManager errors;
};

// Compresses the rows into the stream with the library's defaults for RGB
// input at quality 80, handing each row over straight from the buffer.
WriteResult compress_rows(Compression *compression, std::FILE *stream,
                          const BYTE *rgb, LONG width, LONG height)
{
    jpeg_compress_struct *cinfo = &compression->cinfo;
    HandBackErrorManager *errors = &compression->errors;
    std::memset(cinfo, 0, sizeof *cinfo);
    cinfo->err = jpeg_std_error(&errors->standard);
    errors->standard.error_exit = hand_back;
    errors->c_error = 0;
    if (setjmp(errors->writer)) {
        WriteResult result = library_failure(
            reinterpret_cast<j_common_ptr>(cinfo), errors->c_error);
        jpeg_destroy_compress(cinfo);
        return result;
    }

    jpeg_create_compress(cinfo);
    jpeg_stdio_dest(cinfo, stream);
    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);

    const size_t stride = static_cast<size_t>(width) * 3;
    JSAMPROW row[1];
    while (cinfo->next_scanline < cinfo->image_height) {
        row[0] = const_cast<JSAMPROW>(
            rgb + static_cast<size_t>(cinfo->next_scanline) * stride);
        jpeg_write_scanlines(cinfo, row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return write_result(WRITE_OK);
}

} // namespace

WriteResult write_jpeg(const char *file_name, const BYTE *rgb, LONG width,
                       LONG height)
{
    if (width <= 0 || height <= 0)
        return write_result(WRITE_NO_PIXELS);
    if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
        return write_result(WRITE_TOO_LARGE);

    ReplacementFile file;
    WriteResult result = open_replacement(&file, file_name);
    if (result.failure != WRITE_OK) {
        std::fprintf(stderr, "can't open %s\n", file_name);
        return result;
    }
    Compression compression;
    result = compress_rows(&compression, file.stream, rgb, width, height);
    if (result.failure != WRITE_OK) {
        discard_replacement(&file);
        return result;
    }
    return commit_replacement(&file);
}
