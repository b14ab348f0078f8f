#include "export/bmp_writer.h"

#include "export/failure_causes.h"
#include "export/replacement_file.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const size_t file_header_size = 14;
const size_t info_header_size = 40;
const size_t headers_size = file_header_size + info_header_size;
const std::uint64_t largest_file = 0xFFFFFFFFu;
const size_t chunk_bytes = 4 << 20;

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

// Words of the canvas and of the file, in the byte order of both formats
// and of every machine the program is built for.
static_assert(std::endian::native == std::endian::little,
              "words are read and written in the files' byte order");

std::uint64_t get_qword(const BYTE *in)
{
    std::uint64_t value;
    std::memcpy(&value, in, sizeof value);
    return value;
}

void put_qword(BYTE *out, std::uint64_t value)
{
    std::memcpy(out, &value, sizeof value);
}

// The 3 bytes (blue, green, red) of the pixel in the low or the high half
// of a word of two pixels.
std::uint64_t low_pixel(std::uint64_t two)
{
    return two & 0xFFFFFFu;
}

std::uint64_t high_pixel(std::uint64_t two)
{
    return two >> 32 & 0xFFFFFFu;
}

// One file row from one canvas row: blue, green, red of each pixel, the
// spare byte dropped. Eight pixels at a time make three whole words, which
// compilers turn into plain 64-bit loads and stores. The padding at the end
// of `out` stays as it is.
void convert_row(BYTE *out, const BYTE *pixels, LONG width)
{
    LONG x = 0;
    for (; x + 8 <= width; x += 8) {
        std::uint64_t p01 = get_qword(pixels), p23 = get_qword(pixels + 8);
        std::uint64_t p45 = get_qword(pixels + 16),
                      p67 = get_qword(pixels + 24);
        put_qword(out, low_pixel(p01) | high_pixel(p01) << 24 |
                           low_pixel(p23) << 48);
        put_qword(out + 8, low_pixel(p23) >> 16 | high_pixel(p23) << 8 |
                               low_pixel(p45) << 32 | high_pixel(p45) << 56);
        put_qword(out + 16, high_pixel(p45) >> 8 | low_pixel(p67) << 16 |
                                high_pixel(p67) << 40);
        out += 24;
        pixels += 32;
    }
    for (; x < width; ++x) {
        out[0] = pixels[0];
        out[1] = pixels[1];
        out[2] = pixels[2];
        out += 3;
        pixels += 4;
    }
}

// Where the file is put together before it is written: whole rows, as many
// as make about chunk_bytes, after the headers in the first chunk. Large
// writes go past the stream's buffer straight to the file.
struct Chunks {
    BYTE *bytes;
    size_t rows; // rows per chunk
};

bool make_chunks(Chunks *chunks, size_t row_bytes, LONG height)
{
    size_t rows = row_bytes == 0 ? 1 : chunk_bytes / row_bytes;
    if (rows < 1)
        rows = 1;
    if (rows > static_cast<size_t>(height))
        rows = static_cast<size_t>(height);
    chunks->rows = rows;
    chunks->bytes =
        static_cast<BYTE *>(std::calloc(headers_size + rows * row_bytes, 1));
    return chunks->bytes != nullptr;
}

bool write_all(std::FILE *stream, const BYTE *bytes, size_t count)
{
    return std::fwrite(bytes, 1, count, stream) == count;
}

// Writes the headers and then the rows, bottom row of the canvas first,
// a chunk at a time. Returns 0 or the errno of failure.
int write_bitmap(std::FILE *stream, const BYTE *headers, const BYTE *read_out,
                 LONG width, LONG height, const Chunks &chunks,
                 size_t row_bytes)
{
    errno = 0;
    std::memcpy(chunks.bytes, headers, headers_size);
    BYTE *rows = chunks.bytes + headers_size;
    const BYTE *pending = chunks.bytes; // the headers go with the first rows
    const size_t canvas_row_bytes = static_cast<size_t>(width) * 4;
    size_t in_chunk = 0;
    for (LONG r = height; r-- > 0;) {
        convert_row(rows + in_chunk * row_bytes,
                    read_out + static_cast<size_t>(r) * canvas_row_bytes,
                    width);
        if (++in_chunk < chunks.rows && r > 0)
            continue;
        const BYTE *end = rows + in_chunk * row_bytes;
        if (!write_all(stream, pending, static_cast<size_t>(end - pending)))
            return errno != 0 ? errno : EIO;
        pending = rows;
        in_chunk = 0;
    }
    if (pending == chunks.bytes && !write_all(stream, pending, headers_size))
        return errno != 0 ? errno : EIO;
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
    Chunks chunks;
    if (!make_chunks(&chunks, row_bytes, height))
        return write_result(WRITE_NO_MEMORY);

    ReplacementFile file;
    WriteResult result = open_replacement(&file, file_name);
    if (result.failure == WRITE_OK) {
        int error = write_bitmap(file.stream, headers, read_out, width, height,
                                 chunks, row_bytes);
        if (error == 0) {
            result = commit_replacement(&file);
        } else {
            discard_replacement(&file);
            result = stream_failure(error);
        }
    }
    std::free(chunks.bytes);
    return result;
}
