#include "export/jpeg_writer.h"
#include "tests/export/jpeg_decoding.h"
#include "tests/export/test_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// ISO/IEC 10918-1 Annex K, tables K.1 and K.2, in natural order.
const int luminance_base[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
const int chrominance_base[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// The position in natural order of each zigzag entry.
const int zigzag_to_natural[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// A base table scaled for quality 80 (scale factor 200 − 2 × 80 percent)
// and kept within the baseline range.
std::vector<int> scaled_for_quality_80(const int *base)
{
    std::vector<int> table;
    for (int i = 0; i < 64; ++i) {
        int value = (base[i] * 40 + 50) / 100;
        table.push_back(value < 1 ? 1 : value > 255 ? 255 : value);
    }
    return table;
}

std::vector<unsigned char>
rgb_image(int width, int height, unsigned char (*pixel)(int x, int y, int c))
{
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                rgb.push_back(pixel(x, y, c));
    return rgb;
}

unsigned char white(int, int, int)
{
    return 255;
}

unsigned char patterned(int x, int y, int c)
{
    return static_cast<unsigned char>(
        (x * (c + 3) + y * (7 - c) + ((x * y) >> 3)) & 0xFF);
}

// One marker segment of a JPEG file: its marker byte and its body.
struct Segment {
    unsigned char marker;
    std::vector<unsigned char> body;
};

// The segments from SOI up to and including SOS.
std::vector<Segment> header_segments(const std::vector<unsigned char> &file)
{
    std::vector<Segment> segments;
    size_t at = 2;
    while (at + 4 <= file.size() && file[at] == 0xFF) {
        unsigned char marker = file[at + 1];
        size_t length = file[at + 2] << 8 | file[at + 3];
        segments.push_back({marker, std::vector<unsigned char>(
                                        file.begin() + at + 4,
                                        file.begin() + at + 2 + length)});
        at += 2 + length;
        if (marker == 0xDA)
            break;
    }
    return segments;
}

TEST(Jpeg, WhiteCanvasFileStructure)
{
    TestFolder folder;
    std::string name = folder.path("white.jpg");
    std::vector<unsigned char> rgb = rgb_image(800, 800, white);
    ASSERT_EQ(write_jpeg(name.c_str(), rgb.data(), 800, 800).failure, WRITE_OK);
    std::vector<unsigned char> file = read_bytes(name);
    ASSERT_GT(file.size(), 4u);

    const std::vector<unsigned char> start = {
        0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46,
        0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
    EXPECT_EQ(std::vector<unsigned char>(file.begin(), file.begin() + 20),
              start);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);

    std::vector<unsigned char> order;
    const Segment *frame = nullptr;
    std::vector<Segment> segments = header_segments(file);
    for (const Segment &segment : segments) {
        order.push_back(segment.marker);
        if (segment.marker == 0xC0)
            frame = &segment;
    }
    // APP0, DQT ×2, SOF0, DHT ×4, SOS: one baseline frame, no restart interval
    EXPECT_EQ(order, (std::vector<unsigned char>{0xE0, 0xDB, 0xDB, 0xC0, 0xC4,
                                                 0xC4, 0xC4, 0xC4, 0xDA}));
    ASSERT_NE(frame, nullptr);
    const std::vector<unsigned char> frame_body = {
        8, 0x03, 0x20, 0x03, 0x20, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1};
    EXPECT_EQ(frame->body, frame_body);
}

TEST(Jpeg, QuantisationAndSamplingAreTheDefaultsAtQuality80)
{
    TestFolder folder;
    std::string name = folder.path("q80.jpg");
    std::vector<unsigned char> rgb = rgb_image(64, 48, patterned);
    ASSERT_EQ(write_jpeg(name.c_str(), rgb.data(), 64, 48).failure, WRITE_OK);

    DecodedJpeg decoded = decode_jpeg(name);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_TRUE(decoded.ycbcr);
    EXPECT_FALSE(decoded.progressive);
    ASSERT_EQ(decoded.components.size(), 3u);
    const int expected_components[3][4] = {
        {1, 2, 2, 0}, {2, 1, 1, 1}, {3, 1, 1, 1}};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(decoded.components[c].id, expected_components[c][0]);
        EXPECT_EQ(decoded.components[c].h_samp_factor,
                  expected_components[c][1]);
        EXPECT_EQ(decoded.components[c].v_samp_factor,
                  expected_components[c][2]);
        EXPECT_EQ(decoded.components[c].quant_table, expected_components[c][3]);
    }
    ASSERT_EQ(decoded.quant_tables.size(), 2u);
    std::vector<int> luminance = scaled_for_quality_80(luminance_base);
    std::vector<int> chrominance = scaled_for_quality_80(chrominance_base);
    EXPECT_EQ(decoded.quant_tables[0], luminance);
    EXPECT_EQ(decoded.quant_tables[1], chrominance);
    EXPECT_EQ((std::vector<int>(luminance.begin(), luminance.begin() + 8)),
              (std::vector<int>{6, 4, 4, 6, 10, 16, 20, 24}));
    EXPECT_EQ(std::count(chrominance.begin(), chrominance.end(), 40), 51);

    // DQT stores the entries in zigzag order, one 8-bit table per segment.
    int tables_seen = 0;
    for (const Segment &segment : header_segments(read_bytes(name))) {
        if (segment.marker != 0xDB)
            continue;
        ASSERT_EQ(segment.body.size(), 65u);
        int table = segment.body[0];
        ASSERT_LT(table, 2);
        const std::vector<int> &natural = table == 0 ? luminance : chrominance;
        for (int i = 0; i < 64; ++i)
            EXPECT_EQ(segment.body[1 + i], natural[zigzag_to_natural[i]])
                << "entry " << i;
        ++tables_seen;
    }
    EXPECT_EQ(tables_seen, 2);
}

TEST(Jpeg, OddSizesDecodeToExactlyTheirSize)
{
    TestFolder folder;
    const int sizes[][2] = {{1, 1}, {801, 601}, {17, 3}, {65500, 1}};
    for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        std::string name = folder.path("odd.jpg");
        std::vector<unsigned char> rgb = rgb_image(size[0], size[1], white);
        ASSERT_EQ(
            write_jpeg(name.c_str(), rgb.data(), size[0], size[1]).failure,
            WRITE_OK);
        DecodedJpeg decoded = decode_jpeg(name);
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.width, static_cast<unsigned>(size[0]));
        EXPECT_EQ(decoded.height, static_cast<unsigned>(size[1]));
        for (unsigned char value : decoded.rgb)
            ASSERT_GE(value, 250);
    }
}

TEST(Jpeg, RowsAreTakenTopRowFirst)
{
    TestFolder folder;
    std::string name = folder.path("halves.jpg");
    const int width = 64, height = 64;
    std::vector<unsigned char> rgb =
        rgb_image(width, height, [](int, int y, int) {
            return static_cast<unsigned char>(y < 32 ? 0 : 255);
        });
    ASSERT_EQ(write_jpeg(name.c_str(), rgb.data(), width, height).failure,
              WRITE_OK);
    DecodedJpeg decoded = decode_jpeg(name);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    for (int y : {0, 10, 28}) {
        EXPECT_LT(decoded.rgb[y * width * 3], 16) << "row " << y;
        EXPECT_GT(decoded.rgb[(height - 1 - y) * width * 3], 239)
            << "row " << height - 1 - y;
    }
}

#ifdef CJPEG_PROGRAM
// The writer's file and cjpeg's file of the same pixels, given as a PPM
// (where the build found the library's cjpeg).
TEST(Jpeg, SameBytesAsCjpegAtQuality80)
{
    TestFolder folder;
    const int sizes[][2] = {{333, 217}, {16, 16}, {1, 1}};
    for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        std::vector<unsigned char> rgb = rgb_image(size[0], size[1], patterned);
        std::string ppm = folder.path("in.ppm");
        std::string header = "P6\n" + std::to_string(size[0]) + " " +
                             std::to_string(size[1]) + "\n255\n";
        std::vector<unsigned char> ppm_bytes(header.begin(), header.end());
        ppm_bytes.insert(ppm_bytes.end(), rgb.begin(), rgb.end());
        write_bytes(ppm, ppm_bytes);

        std::string reference = folder.path("cjpeg.jpg");
        std::string command = std::string(CJPEG_PROGRAM) +
                              " -quality 80 -outfile '" + reference + "' '" +
                              ppm + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;

        std::string ours = folder.path("ours.jpg");
        ASSERT_EQ(
            write_jpeg(ours.c_str(), rgb.data(), size[0], size[1]).failure,
            WRITE_OK);
        std::vector<unsigned char> expected = read_bytes(reference);
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(read_bytes(ours) == expected);
    }
}

#endif

TEST(Jpeg, SizesTheFormatCannotHoldCreateNothing)
{
    TestFolder folder;
    std::string name = folder.path("kept.jpg");
    const std::vector<unsigned char> old_content(300, 0x5A);
    write_bytes(name, old_content);
    std::vector<unsigned char> row(65501 * 3, 0x80);
    EXPECT_EQ(write_jpeg(name.c_str(), row.data(), 0, 1).failure,
              WRITE_NO_PIXELS);
    EXPECT_EQ(write_jpeg(name.c_str(), row.data(), 1, 0).failure,
              WRITE_NO_PIXELS);
    EXPECT_EQ(write_jpeg(name.c_str(), row.data(), -3, 1).failure,
              WRITE_NO_PIXELS);
    EXPECT_EQ(write_jpeg(name.c_str(), row.data(), 65501, 1).failure,
              WRITE_TOO_LARGE);
    EXPECT_EQ(write_jpeg(name.c_str(), row.data(), 1, 65501).failure,
              WRITE_TOO_LARGE);
    std::string fresh = folder.path("fresh.jpg");
    EXPECT_EQ(write_jpeg(fresh.c_str(), row.data(), 0, 0).failure,
              WRITE_NO_PIXELS);
    EXPECT_EQ(read_bytes(name), old_content);
    EXPECT_EQ(folder.entries(), std::set<std::string>{"kept.jpg"});
}

} // namespace
