// Both writers: the BMP file's bytes (the JPEG file's are the journey's,
// against cjpeg's), the sizes the formats refuse, and a file already there,
// replaced whole or, when saving fails, left as it was.
#include "tests/export/export_test_support.h"

// How the system fails as the new file takes the old one's name, on 64-bit
// Windows: the program's calls to ReplaceFileA and FlushFileBuffers go
// through the import entries below, which the linker takes before
// kernel32's, and do kernel32's work unless told to fail.
static enum Fault {
    none,
    old_deleted,            // ReplaceFile's ERROR_UNABLE_TO_MOVE_REPLACEMENT
    old_deleted_name_taken, // the same, then another file takes the name
    old_kept,               // ReplaceFile's ERROR_UNABLE_TO_REMOVE_REPLACED
    flush_fails,            // FlushFileBuffers' ERROR_DISK_FULL
} fault = none;

#ifdef _WIN64
// Through void (*)(), which stands for any function.
template <typename Function> static Function kernel32(const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

static BOOL WINAPI replace_file(LPCSTR replaced, LPCSTR replacement,
                                LPCSTR backup, DWORD flags, LPVOID exclude,
                                LPVOID reserved)
{
    if (fault == none || fault == flush_fails)
        return kernel32<decltype(&ReplaceFileA)>("ReplaceFileA")(
            replaced, replacement, backup, flags, exclude, reserved);
    if (fault != old_kept)
        DeleteFileA(replaced);
    if (fault == old_deleted_name_taken)
        std::ofstream{replaced};
    SetLastError(fault == old_kept ? ERROR_UNABLE_TO_REMOVE_REPLACED
                                   : ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}

static BOOL WINAPI flush_file(HANDLE file)
{
    if (fault != flush_fails)
        return kernel32<decltype(&FlushFileBuffers)>("FlushFileBuffers")(file);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

extern "C" {
decltype(&ReplaceFileA) __imp_ReplaceFileA = replace_file;
decltype(&FlushFileBuffers) __imp_FlushFileBuffers = flush_file;
}
#endif

namespace {

// A read-out whose pixels differ from their neighbours in every byte; the
// fourth, spare byte must not reach a file.
Bytes patterned(int width, int height)
{
    Bytes pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c)
                pixels.push_back(static_cast<unsigned char>(
                    c == 3 ? 0xA5 : x * (c + 3) + y * (7 - c) + (x * y >> 3)));
    return pixels;
}

// A 24-bit bottom-up BMP file as the format describes it: the file and
// info headers (size, reserved, offset of the rows; info size, width,
// height, planes and bits per pixel; zeros), then rows of blue, green, red,
// padded with zeros to a multiple of four bytes. (The journey's own
// reference, in Python, agrees on the header and the rows.)
Bytes reference_bmp(const Bytes &read_out, int width, int height)
{
    const unsigned row = (width * 3 + 3) / 4 * 4;
    const unsigned fields[] = {
        54 + row * height, 0,           54, 40, unsigned(width),
        unsigned(height),  1 | 24 << 16};
    Bytes file = {'B', 'M'};
    for (unsigned field : fields)
        for (int shift = 0; shift < 32; shift += 8)
            file.push_back(static_cast<unsigned char>(field >> shift));
    file.resize(54);
    for (int y = height; y-- > 0;) {
        for (int x = 0; x < width; ++x) {
            auto pixel = read_out.begin() + (y * width + x) * 4;
            file.insert(file.end(), pixel, pixel + 3);
        }
        file.resize(file.size() + row - width * 3);
    }
    return file;
}

TEST(FileBytes, Bmp)
{
    TestFolder folder;
    const std::string name = folder.path("rows.bmp");
    // Rows of 3, 1 and 2 pixels need 3, 1 and 2 bytes of padding, 4 none; 13
    // pixels are a step of eight and five more; 1001 × 1500 fill more than
    // one chunk of rows (a few MB) and end with a part of one.
    const int sizes[][2] = {{3, 2},  {1, 5},       {2, 1}, {4, 3},
                            {13, 3}, {1001, 1500}, {0, 7}, {7, 0}};
    for (auto [width, height] : sizes) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const Bytes read_out = patterned(width, height);
        ASSERT_EQ(
            write_bmp(name.c_str(), read_out.data(), width, height).failure,
            WRITE_OK);
        EXPECT_TRUE(read_bytes(name) == reference_bmp(read_out, width, height));
    }
}

TEST(FileBytes, SizesTheFormatsCannotHoldCreateNothing)
{
    struct Case {
        WriteResult (*write)(const char *, const BYTE *, LONG, LONG);
        LONG width, height;
        WriteFailure failure;
    } const cases[] = {{write_bmp, 40000, 35792, WRITE_TOO_LARGE}, // > 4 GB
                       {write_bmp, -1, 10, WRITE_NO_PIXELS},
                       {write_bmp, 10, -1, WRITE_NO_PIXELS},
                       {write_jpeg, 0, 1, WRITE_NO_PIXELS},
                       {write_jpeg, 1, 0, WRITE_NO_PIXELS},
                       {write_jpeg, 65501, 1, WRITE_TOO_LARGE},
                       {write_jpeg, 1, 65501, WRITE_TOO_LARGE}};
    TestFolder folder;
    const Bytes row(65501 * 3, 0x80);
    for (const Case &c : cases)
        EXPECT_EQ(
            c.write(folder.old_file().c_str(), row.data(), c.width, c.height)
                .failure,
            c.failure)
            << c.width << " x " << c.height;
    EXPECT_TRUE(read_bytes(folder.old_file()) == old_content);
    EXPECT_EQ(folder.entries("work"), std::set<std::string>{"old.img"});
    std::string widest = folder.path("widest.jpg");
    EXPECT_EQ(write_jpeg(widest.c_str(), row.data(), 65500, 1).failure,
              WRITE_OK);
}

// A failure leaves the old file as it was and nothing else, but one: when
// the old file is gone, the drawing stays in the new file, which the result
// names.
TEST(SafeSave, ReplacedWholeOrLeftAsItWas)
{
    struct Case {
        const char *name; // in the test folder
        bool read_only;   // old.img has Windows' read-only attribute
        WriteFailure failure;
        Fault fault = none;
    } const cases[] = {
        {"work/old.img", false, WRITE_OK},
        {"missing/picture.img", false, WRITE_FOLDER_NOT_FOUND},
        {"work/old.img/picture.img", false, WRITE_FOLDER_NOT_FOUND},
        {"work", false, WRITE_NAME_IS_FOLDER},
        {"work/old.img", true, WRITE_ACCESS_DENIED},
#ifdef _WIN64
        // Devices in every folder, present (NUL, COM1) or not.
        {"work/NUL", false, WRITE_NOT_A_FILE},
        {"work/con.bmp", false, WRITE_NOT_A_FILE},
        {"work/Com1.jpg", false, WRITE_NOT_A_FILE},
        {"work/old.img", false, WRITE_OK, old_deleted},
        {"work/old.img", false, WRITE_KEPT_ELSEWHERE, old_deleted_name_taken},
        {"work/old.img", false, WRITE_ACCESS_DENIED, old_kept},
        {"work/old.img", false, WRITE_DISK_FULL, flush_fails},
#endif
    };
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message()
                         << writer.label << " " << c.name << " " << c.fault);
            TestFolder folder;
            if (c.read_only)
                std::filesystem::permissions(
                    folder.old_file(), std::filesystem::perms::owner_write,
                    std::filesystem::perm_options::remove);
            const std::string name = folder.path(c.name);
            testing::internal::CaptureStderr();
            fault = c.fault;
            const WriteResult result = writer.write(name.c_str());
            fault = none;
            const std::string said = testing::internal::GetCapturedStderr();
            EXPECT_EQ(result.failure, c.failure);
            const std::string kept = result.kept_file;
            EXPECT_TRUE(read_bytes(kept.empty() ? folder.old_file() : kept) ==
                        (c.failure == WRITE_OK || !kept.empty()
                             ? saved_bytes(writer)
                             : old_content));
            std::set<std::string> left = {"old.img"};
            if (!kept.empty())
                left.insert(std::filesystem::path(kept).filename().string());
            EXPECT_EQ(folder.entries("work"), left);
            // The JPEG writer names a file it cannot open, as cjpeg does.
            EXPECT_EQ(said, writer.format == write_jpeg &&
                                    c.failure != WRITE_OK && c.fault == none
                                ? "can't open " + name + "\n"
                                : "");
        }
}

} // namespace
