// Both writers, when the user's rights or the disk stop the save: the file
// already there survives byte for byte and nothing else is left behind.
// And the permissions saved files get.
#include "tests/export/posix_process.h"
#include "tests/export/safe_save_fixture.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
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

// A folder the user may not write: a new file cannot be made there, but a
// file the user may write is saved in place, as a direct write would.
TEST(FilesSafeSave, ReadOnlyFolder)
{
    struct Case {
        mode_t file_mode;
        WriteFailure replaced;
    } const cases[] = {{0644, WRITE_ACCESS_DENIED}, {0666, WRITE_OK}};
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(writer.label) + " mode " +
                         std::to_string(c.file_mode));
            FolderWithOldFile setup;
            chmod(setup.old_file.c_str(), c.file_mode);
            chmod(setup.folder.path("work").c_str(), 0555);
            testing::internal::CaptureStderr();
            int replaced = write_as_ordinary_user(writer, setup.old_file);
            int created = write_as_ordinary_user(
                writer, setup.folder.path("work/new.img"));
            testing::internal::GetCapturedStderr();
            ASSERT_NE(replaced, 100) << "cannot run without root's privileges";
            EXPECT_EQ(replaced, c.replaced);
            EXPECT_EQ(created, WRITE_ACCESS_DENIED);
            EXPECT_EQ(setup.folder.entries("work"),
                      std::set<std::string>{"old.img"});
            EXPECT_EQ(read_bytes(setup.old_file), c.replaced == WRITE_OK
                                                      ? saved_bytes(writer)
                                                      : old_content);
        }
}

TEST(FilesSafeSave, FileTheUserMayNotWriteInAWritableFolder)
{
    if (geteuid() != 0)
        GTEST_SKIP()
            << "needs a file that belongs to another user (run as root)";
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

TEST(FilesSafeSave, ReplacedFileKeepsItsPermissionsAndOwner)
{
    // Root may give the file back to anyone; others keep what they can.
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    const gid_t group = geteuid() == 0 ? 65534 : getegid();
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        for (mode_t mode : {0600, 0640, 0664, 0606}) {
            FolderWithOldFile setup;
            ScopedUmask umask_for_test(077);
            ASSERT_EQ(chown(setup.old_file.c_str(), owner, group), 0);
            chmod(setup.old_file.c_str(), mode);
            ASSERT_EQ(writer.write(setup.old_file.c_str()).failure, WRITE_OK);
            struct stat info = {};
            stat(setup.old_file.c_str(), &info);
            EXPECT_EQ(info.st_mode & 07777, mode);
            EXPECT_EQ(info.st_uid, owner);
            EXPECT_EQ(info.st_gid, group);
            EXPECT_GT(read_bytes(setup.old_file).size(), old_content.size());
            EXPECT_EQ(setup.folder.entries("work"),
                      std::set<std::string>{"old.img"});
        }
    }
}

// A name that is a symbolic link: the file it points to is saved, beside
// itself, and the link stays a link.
TEST(FilesSafeSave, SymbolicLinks)
{
    struct Case {
        const char *label;
        // Each link's name and what it holds; "@path" is that path in the
        // test folder, written absolute.
        std::vector<std::pair<std::string, std::string>> links;
        std::string saved_as, file;
    } const cases[] = {
        {"relative", {{"work/link", "old.img"}}, "work/link", "work/old.img"},
        {"absolute",
         {{"work/link", "@work/old.img"}},
         "work/link",
         "work/old.img"},
        {"chain",
         {{"work/a", "b"}, {"work/b", "@work/old.img"}},
         "work/a",
         "work/old.img"},
        {"other folder",
         {{"other/link", "../work/old.img"}},
         "other/link",
         "work/old.img"},
        {"dangling", {{"work/link", "new.img"}}, "work/link", "work/new.img"},
    };
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(writer.label) + " " + c.label);
            FolderWithOldFile setup;
            make_folder(setup.folder.path("other"));
            std::set<std::string> names = {"work/old.img", c.file};
            for (const auto &[name, content] : c.links) {
                std::string target = content[0] == '@'
                                         ? setup.folder.path(content.substr(1))
                                         : content;
                ASSERT_EQ(
                    symlink(target.c_str(), setup.folder.path(name).c_str()),
                    0);
                names.insert(name);
            }
            ASSERT_EQ(
                writer.write(setup.folder.path(c.saved_as).c_str()).failure,
                WRITE_OK);
            EXPECT_EQ(read_bytes(setup.folder.path(c.file)),
                      saved_bytes(writer));
            for (const auto &link : c.links) {
                struct stat info = {};
                lstat(setup.folder.path(link.first).c_str(), &info);
                EXPECT_TRUE(S_ISLNK(info.st_mode)) << link.first;
            }
            std::set<std::string> entries;
            for (const char *sub : {"work", "other"})
                for (const std::string &name : setup.folder.entries(sub))
                    entries.insert(std::string(sub) + "/" + name);
            EXPECT_EQ(entries, names);
        }
}

ino_t inode_of(const std::string &path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info.st_ino;
}

// A link to a file on another file system: the new file is still made
// beside the file and replaces it whole (a new inode), not in place.
TEST(FilesSafeSave, SymbolicLinkToAnotherFileSystem)
{
    char other[] = "/dev/shm/scribblet-XXXXXX";
    if (mkdtemp(other) == nullptr)
        GTEST_SKIP() << "no /dev/shm";
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        std::string file = std::string(other) + "/old.img";
        write_bytes(file, old_content);
        const ino_t old_inode = inode_of(file);
        ASSERT_EQ(symlink(file.c_str(), setup.folder.path("work/link").c_str()),
                  0);
        ASSERT_EQ(writer.write(setup.folder.path("work/link").c_str()).failure,
                  WRITE_OK);
        EXPECT_EQ(read_bytes(file), saved_bytes(writer));
        EXPECT_NE(inode_of(file), old_inode);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(other), {}),
                  1);
        EXPECT_EQ(setup.folder.entries("work"),
                  (std::set<std::string>{"link", "old.img"}));
    }
    std::filesystem::remove_all(other);
}

// A file with other names (hard links) stays one file: every name shows
// the new drawing.
TEST(FilesSafeSave, HardLinkedFileStaysOneFile)
{
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.label);
        FolderWithOldFile setup;
        std::string other = setup.folder.path("other.img");
        ASSERT_EQ(link(setup.old_file.c_str(), other.c_str()), 0);
        ASSERT_EQ(writer.write(setup.old_file.c_str()).failure, WRITE_OK);
        EXPECT_EQ(read_bytes(other), saved_bytes(writer));
        struct stat one = {}, two = {};
        stat(setup.old_file.c_str(), &one);
        stat(other.c_str(), &two);
        EXPECT_EQ(one.st_ino, two.st_ino);
        EXPECT_EQ(setup.folder.entries("work"),
                  std::set<std::string>{"old.img"});
    }
}

// A folder whose name leaves no room for a temporary name of Windows' form
// beside the file: a new file is made and an existing one replaced all the
// same.
TEST(FilesSafeSave, LongFolderName)
{
    for (size_t length : {size_t(247), size_t(MAX_PATH - 8)}) {
        TestFolder folder;
        std::string first = folder.path(std::string(200, 'd'));
        make_folder(first);
        std::string deep =
            first + "/" + std::string(length - first.size() - 1, 'e');
        make_folder(deep);
        ASSERT_EQ(deep.size(), length);
        std::string name = deep + "/p";
        for (const Writer &writer : writers) {
            SCOPED_TRACE(std::string(writer.label) + " " +
                         std::to_string(length));
            for (const char *round : {"new", "replaced"}) {
                EXPECT_EQ(writer.write(name.c_str()).failure, WRITE_OK)
                    << round;
                EXPECT_EQ(read_bytes(name), saved_bytes(writer)) << round;
            }
            std::remove(name.c_str());
        }
    }
}

} // namespace
