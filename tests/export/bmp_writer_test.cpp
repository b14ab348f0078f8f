#include "export/bmp_writer.h"
#include "tests/export/test_folder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Pixel {
    unsigned char blue, green, red;
};

// A canvas read-out whose pixels differ from one another, with a spare byte
// that must not reach the file.
std::vector<unsigned char> patterned_read_out(int width, int height)
{
    std::vector<unsigned char> read_out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            read_out.push_back(static_cast<unsigned char>(x * 7 + 1));
            read_out.push_back(static_cast<unsigned char>(y * 13 + 2));
            read_out.push_back(static_cast<unsigned char>(x + y * 31 + 3));
            read_out.push_back(0xA5);
        }
    return read_out;
}

std::vector<unsigned char> white_read_out(int width, int height)
{
    std::vector<unsigned char> read_out(static_cast<size_t>(width) * height * 4,
                                        0xFF);
    for (size_t i = 3; i < read_out.size(); i += 4)
        read_out[i] = 0; // the spare byte
    return read_out;
}

std::uint32_t dword_at(const std::vector<unsigned char> &bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Checks every pixel and every padding byte of a written file against the
// read-out it came from.
void expect_rows_match(const std::vector<unsigned char> &file,
                       const std::vector<unsigned char> &read_out, int width,
                       int height)
{
    size_t row_bytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 54 + row_bytes * height);
    for (int r = 0; r < height; ++r) {
        const unsigned char *row = file.data() + 54 + r * row_bytes;
        const unsigned char *canvas_row =
            read_out.data() + static_cast<size_t>(height - 1 - r) * width * 4;
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(row[x * 3 + c], canvas_row[x * 4 + c])
                    << "file row " << r << ", pixel " << x << ", byte " << c;
        for (size_t pad = static_cast<size_t>(width) * 3; pad < row_bytes;
             ++pad)
            ASSERT_EQ(row[pad], 0) << "padding of file row " << r;
    }
}

TEST(Bmp, NewWhiteCanvasOf800By800)
{
    TestFolder folder;
    std::string name = folder.path("white.bmp");
    std::vector<unsigned char> read_out = white_read_out(800, 800);
    WriteResult result = write_bmp(name.c_str(), read_out.data(), 800, 800);
    ASSERT_EQ(result.failure, WRITE_OK);

    std::vector<unsigned char> file = read_bytes(name);
    ASSERT_EQ(file.size(), 1920054u);
    const std::vector<unsigned char> headers = {
        0x42, 0x4D, 0x36, 0x4C, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36,
        0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x20, 0x03, 0x00, 0x00,
        0x20, 0x03, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0,    0,    0,
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0};
    EXPECT_EQ(std::vector<unsigned char>(file.begin(), file.begin() + 54),
              headers);
    for (size_t i = 54; i < file.size(); ++i)
        ASSERT_EQ(file[i], 0xFF) << "at byte " << i;
}

TEST(Bmp, RowsBottomUpWithPadding)
{
    TestFolder folder;
    // widths 3 and 1 need 3 and 1 padding bytes a row; 4 needs none. 13
    // pixels are a step of eight and five more; 1001 × 1500 fill more than
    // one chunk of rows (a few MB) and end with a part of one.
    const int sizes[][2] = {{3, 2}, {1, 5},  {4, 3},
                            {2, 1}, {13, 3}, {1001, 1500}};
    for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        std::string name = folder.path("rows.bmp");
        std::vector<unsigned char> read_out =
            patterned_read_out(size[0], size[1]);
        ASSERT_EQ(
            write_bmp(name.c_str(), read_out.data(), size[0], size[1]).failure,
            WRITE_OK);
        std::vector<unsigned char> file = read_bytes(name);
        expect_rows_match(file, read_out, size[0], size[1]);
        EXPECT_EQ(dword_at(file, 2), file.size());
        EXPECT_EQ(dword_at(file, 18), static_cast<std::uint32_t>(size[0]));
        EXPECT_EQ(dword_at(file, 22), static_cast<std::uint32_t>(size[1]));
    }
}

TEST(Bmp, RedTopLeftPixelStartsTheLastFileRow)
{
    TestFolder folder;
    std::string name = folder.path("red.bmp");
    std::vector<unsigned char> read_out = white_read_out(800, 800);
    read_out[0] = 0x00; // blue
    read_out[1] = 0x00; // green
    read_out[2] = 0xFF; // red
    ASSERT_EQ(write_bmp(name.c_str(), read_out.data(), 800, 800).failure,
              WRITE_OK);
    std::vector<unsigned char> file = read_bytes(name);
    size_t last_row = 54 + 799 * 2400;
    EXPECT_EQ(file[last_row], 0x00);
    EXPECT_EQ(file[last_row + 1], 0x00);
    EXPECT_EQ(file[last_row + 2], 0xFF);
    EXPECT_EQ(file[54], 0xFF); // the bottom row is untouched
}

TEST(Bmp, EmptyCanvasGivesTheHeadersOnly)
{
    TestFolder folder;
    const int sizes[][2] = {{0, 0}, {0, 7}, {7, 0}};
    for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        std::string name = folder.path("empty.bmp");
        unsigned char unused[4] = {};
        ASSERT_EQ(write_bmp(name.c_str(), unused, size[0], size[1]).failure,
                  WRITE_OK);
        std::vector<unsigned char> file = read_bytes(name);
        ASSERT_EQ(file.size(), 54u);
        EXPECT_EQ(dword_at(file, 2), 54u);
        EXPECT_EQ(dword_at(file, 18), static_cast<std::uint32_t>(size[0]));
        EXPECT_EQ(dword_at(file, 22), static_cast<std::uint32_t>(size[1]));
    }
}

TEST(Bmp, SizesTheFormatCannotHoldAreRefused)
{
    TestFolder folder;
    std::string name = folder.path("huge.bmp");
    unsigned char unused[4] = {};
    // 54 + 120000 * 35792 bytes is just over 2^32; 35791 rows would fit.
    EXPECT_EQ(write_bmp(name.c_str(), unused, 40000, 35792).failure,
              WRITE_TOO_LARGE);
    EXPECT_EQ(write_bmp(name.c_str(), unused, 2147483647, 2147483647).failure,
              WRITE_TOO_LARGE);
    EXPECT_EQ(write_bmp(name.c_str(), unused, -1, 10).failure, WRITE_NO_PIXELS);
    EXPECT_EQ(write_bmp(name.c_str(), unused, 10, -1).failure, WRITE_NO_PIXELS);
    EXPECT_TRUE(folder.entries().empty());
}

TEST(Bmp, ReplacesAnExistingFileEntirely)
{
    TestFolder folder;
    std::string name = folder.path("old.bmp");
    write_bytes(name, std::vector<unsigned char>(5000, 0x11));
    std::vector<unsigned char> read_out = patterned_read_out(3, 2);
    ASSERT_EQ(write_bmp(name.c_str(), read_out.data(), 3, 2).failure, WRITE_OK);
    expect_rows_match(read_bytes(name), read_out, 3, 2);
    EXPECT_EQ(folder.entries(), std::set<std::string>{"old.bmp"});
}

} // namespace
