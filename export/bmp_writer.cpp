#include "export/bmp_writer.h"

#include "export/failure_causes.h"
#include "export/replacement_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const size_t file_header_size = 14;
const size_t info_header_size = 40;
const size_t headers_size = file_header_size + info_header_size;
const std::uint64_t largest_file = 0xFFFFFFFFu;

void put_word(BYTE *out, WORD value)
{
    out[0] = static_cast<BYTE>(value);
    out[1] = static_cast<BYTE>(value >> 8);
}

void put_dword(BYTE *out, DWORD value)
{
    put_word(out, static_cast<WORD>(value));
    put_word(out + 2, static_cast<WORD>(value >> 16));
}

// The file header and the BITMAPINFOHEADER of an uncompressed 24-bit
// bottom-up bitmap; every field not set here is 0.
void fill_headers(BYTE headers[headers_size], LONG width, LONG height,
                  DWORD file_size)
{
    for (size_t i = 0; i < headers_size; ++i)
        headers[i] = 0;
    headers[0] = 'B';
    headers[1] = 'M';
    put_dword(headers + 2, file_size);
    put_dword(headers + 10, static_cast<DWORD>(headers_size));
    BYTE *info = headers + file_header_size;
    put_dword(info, static_cast<DWORD>(info_header_size));
    put_dword(info + 4, static_cast<DWORD>(width));
    put_dword(info + 8, static_cast<DWORD>(height));
    put_word(info + 12, 1);  // planes
    put_word(info + 14, 24); // bits per pixel
}

// One file row from one canvas row: blue, green, red of each pixel, the
// spare byte dropped. The padding at the end of `out` stays as it is.
void convert_row(BYTE *out, const BYTE *pixels, LONG width)
{
    for (LONG x = 0; x < width; ++x) {
        out[0] = pixels[0];
        out[1] = pixels[1];
        out[2] = pixels[2];
        out += 3;
        pixels += 4;
    }
}

bool write_all(std::FILE *stream, const BYTE *bytes, size_t count)
{
    return std::fwrite(bytes, 1, count, stream) == count;
}

// Writes the headers and then the rows, bottom row of the canvas first,
// through one zero-padded row buffer. Returns 0 or the errno of failure.
int write_bitmap(std::FILE *stream, const BYTE *headers, const BYTE *read_out,
                 LONG width, LONG height, BYTE *row, size_t row_bytes)
{
    errno = 0;
    if (!write_all(stream, headers, headers_size))
        return errno != 0 ? errno : EIO;
    const size_t canvas_row_bytes = static_cast<size_t>(width) * 4;
    for (LONG r = height; r-- > 0;) {
        convert_row(row, read_out + static_cast<size_t>(r) * canvas_row_bytes,
                    width);
        if (!write_all(stream, row, row_bytes))
            return errno != 0 ? errno : EIO;
    }
    return 0;
}

} // namespace

WriteResult write_bmp(const char *file_name, const BYTE *read_out, LONG width,
                      LONG height)
{
    if (width < 0 || height < 0)
        return write_result(WRITE_NO_PIXELS);
    const std::uint64_t wide_row_bytes =
        (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t(3);
    const std::uint64_t file_size =
        headers_size + wide_row_bytes * static_cast<std::uint64_t>(height);
    if (file_size > largest_file)
        return write_result(WRITE_TOO_LARGE);
    const size_t row_bytes = static_cast<size_t>(wide_row_bytes);

    BYTE headers[headers_size];
    fill_headers(headers, width, height, static_cast<DWORD>(file_size));
    const size_t buffer_bytes = height > 0 && row_bytes > 0 ? row_bytes : 1;
    BYTE *row = static_cast<BYTE *>(std::calloc(buffer_bytes, 1));
    if (row == nullptr)
        return write_result(WRITE_NO_MEMORY);

    ReplacementFile file;
    WriteResult result = open_replacement(&file, file_name);
    if (result.failure == WRITE_OK) {
        int error = write_bitmap(file.stream, headers, read_out, width, height,
                                 row, row_bytes);
        if (error == 0) {
            result = commit_replacement(&file);
        } else {
            discard_replacement(&file);
            result = stream_failure(error);
        }
    }
    std::free(row);
    return result;
}
