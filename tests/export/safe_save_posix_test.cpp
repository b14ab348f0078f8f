// Both writers, when the user's rights or the disk stop the save: the file
// already there survives byte for byte and nothing else is left behind.
// And the permissions saved files get.
#include "tests/export/posix_process.h"
#include "tests/export/safe_save_fixture.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
