// Both writers, when saving fails: the file already there survives byte for
// byte and nothing else is left behind. And the permissions saved files get.
#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"
#include "tests/export/test_folder.h"

#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const int side = 256;

// Pixels that compress badly, so that even the JPEG file is large.
std::vector<unsigned char> noise(size_t bytes)
{
    std::vector<unsigned char> data(bytes);
    unsigned state = 12345;
    for (unsigned char &byte : data) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return data;
}

struct Writer {
    const char *label;
    WriteResult (*write)(const char *file_name);
};

WriteResult save_bmp(const char *file_name)
{
    static const std::vector<unsigned char> read_out = noise(side * side * 4);
    return write_bmp(file_name, read_out.data(), side, side);
}

WriteResult save_jpeg(const char *file_name)
{
    static const std::vector<unsigned char> rgb = noise(side * side * 3);
    return write_jpeg(file_name, rgb.data(), side, side);
}

const Writer writers[] = {{"BMP", save_bmp}, {"JPEG", save_jpeg}};

const std::vector<unsigned char> old_content = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};

// A folder holding one existing file, "old.img", with known content.
struct FolderWithOldFile {
    TestFolder folder;
    std::string sub;
    std::string old_file;

    explicit FolderWithOldFile(const std::string &name = "work")
        : sub(name), old_file(folder.path(name + "/old.img"))
    {
        mkdir(folder.path(name).c_str(), 0755);
        write_bytes(old_file, old_content);
    }

    void expect_untouched() const
    {
        EXPECT_EQ(read_bytes(old_file), old_content);
        EXPECT_EQ(folder.entries(sub), std::set<std::string>{"old.img"});
    }
};

TEST(FilesSafeSave, MissingFolderCreatesNothing)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        TestFolder folder;
        std::string name = folder.path("missing/picture.img");
        testing::internal::CaptureStderr();
        WriteResult result = writer.write(name.c_str());
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(result.failure, WRITE_FOLDER_NOT_FOUND);
        EXPECT_EQ(result.system_error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
        EXPECT_TRUE(folder.entries().empty());
        if (writer.write == save_jpeg)
            EXPECT_EQ(said, "can't open " + name + "\n");
        else
            EXPECT_EQ(said, "");
    }
}

TEST(FilesSafeSave, RegularFileUsedAsFolder)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        std::string name = setup.old_file + "/picture.img";
        testing::internal::CaptureStderr();
        EXPECT_EQ(writer.write(name.c_str()).failure, WRITE_FOLDER_NOT_FOUND);
        testing::internal::GetCapturedStderr();
        setup.expect_untouched();
    }
}

TEST(FilesSafeSave, NameOfAnExistingFolder)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        std::string name = setup.folder.path("work");
        testing::internal::CaptureStderr();
        EXPECT_EQ(writer.write(name.c_str()).failure, WRITE_NAME_IS_FOLDER);
        testing::internal::GetCapturedStderr();
        setup.expect_untouched();
    }
}

TEST(FilesSafeSave, ReadOnlyFileIsNotReplaced)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        chmod(setup.old_file.c_str(), 0444);
        testing::internal::CaptureStderr();
        EXPECT_EQ(writer.write(setup.old_file.c_str()).failure, WRITE_ACCESS_DENIED);
        testing::internal::GetCapturedStderr();
        setup.expect_untouched();
        EXPECT_EQ(permission_bits(setup.old_file), 0444u);
    }
}

// Runs the writer in a child without root's privileges; the exit code is
// the failure cause, or 100 when privileges could not be given up.
int write_as_ordinary_user(const Writer &writer, const std::string &name)
{
    return run_in_child([&] {
        if (!drop_root())
            return 100;
        return static_cast<int>(writer.write(name.c_str()).failure);
    });
}

TEST(FilesSafeSave, ReadOnlyFolder)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        chmod(setup.folder.path("work").c_str(), 0555);
        testing::internal::CaptureStderr();
        int replaced = write_as_ordinary_user(writer, setup.old_file);
        int created = write_as_ordinary_user(writer, setup.folder.path("work/new.img"));
        testing::internal::GetCapturedStderr();
        ASSERT_NE(replaced, 100) << "cannot run without root's privileges";
        EXPECT_EQ(replaced, WRITE_ACCESS_DENIED);
        EXPECT_EQ(created, WRITE_ACCESS_DENIED);
        setup.expect_untouched();
    }
}

TEST(FilesSafeSave, FileTheUserMayNotWriteInAWritableFolder)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs a file that belongs to another user (run as root)";
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        chmod(setup.folder.path("work").c_str(), 0777);
        // The file belongs to root, who alone may write it.
        chmod(setup.old_file.c_str(), 0644);
        int result = write_as_ordinary_user(writer, setup.old_file);
        ASSERT_NE(result, 100) << "cannot run without root's privileges";
        EXPECT_EQ(result, WRITE_ACCESS_DENIED);
        setup.expect_untouched();
    }
}

TEST(FilesSafeSave, DiskFull)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        int result = run_in_child([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = {16384, 16384};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return 100;
            std::freopen("/dev/null", "w", stderr);
            WriteResult written = writer.write(setup.old_file.c_str());
            if (writer.write == save_jpeg && written.library_message[0] == '\0')
                return 101;
            return static_cast<int>(written.failure);
        });
        EXPECT_EQ(result, WRITE_DISK_FULL);
        setup.expect_untouched();
    }
}

TEST(FilesSafeSave, NewFileGetsTheUmasksPermissions)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        for (mode_t mask : {022, 077, 0, 027}) {
            TestFolder folder;
            ScopedUmask umask_for_test(mask);
            std::string name = folder.path("new.img");
            ASSERT_EQ(writer.write(name.c_str()).failure, WRITE_OK);
            EXPECT_EQ(permission_bits(name), 0666 & ~mask) << "umask " << mask;
        }
    }
}

TEST(FilesSafeSave, ReplacedFileKeepsItsPermissions)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        for (mode_t mode : {0600, 0640, 0664, 0606}) {
            FolderWithOldFile setup;
            ScopedUmask umask_for_test(077);
            chmod(setup.old_file.c_str(), mode);
            ASSERT_EQ(writer.write(setup.old_file.c_str()).failure, WRITE_OK);
            EXPECT_EQ(permission_bits(setup.old_file), mode);
            EXPECT_GT(read_bytes(setup.old_file).size(), old_content.size());
            EXPECT_EQ(setup.folder.entries("work"), std::set<std::string>{"old.img"});
        }
    }
}

} // namespace
