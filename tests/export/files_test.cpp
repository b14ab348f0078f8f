// The file operations of the platform layer, with Windows' results.
#include "platform/platform.h"
#include "tests/export/posix_process.h"
#include "tests/export/test_folder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const std::vector<unsigned char> first = {'f', 'i', 'r', 's', 't'};
const std::vector<unsigned char> second = {'s', 'e', 'c', 'o', 'n', 'd', '!'};

// A temporary file has no name in its folder until it is moved to one, so
// that a process killed while writing it leaves nothing behind.
TEST(Files, TempFilesAreNewUnnamedFilesWithTheUsualPermissions)
{
    TestFolder folder;
    ScopedUmask umask_for_test(027);
    std::string path = folder.path("");
    char one[MAX_PATH], two[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(path.c_str(), "abc", 0, one), 0u);
    ASSERT_NE(GetTempFileNameA(path.c_str(), "abc", 0, two), 0u);
    EXPECT_NE(std::string(one), std::string(two));
    write_bytes(one, first);
    EXPECT_EQ(read_bytes(two).size(), 0u);
    EXPECT_EQ(permission_bits(one), 0640u);
    EXPECT_TRUE(folder.entries().empty());

    EXPECT_TRUE(
        MoveFileExA(one, folder.path("kept").c_str(), MOVEFILE_WRITE_THROUGH));
    EXPECT_TRUE(DeleteFileA(two));
    EXPECT_EQ(folder.entries(), std::set<std::string>{"kept"});
    EXPECT_EQ(read_bytes(folder.path("kept")), first);
}

TEST(Files, TempFileNameWithAGivenNumberCreatesNothing)
{
    TestFolder folder;
    char name[MAX_PATH];
    std::string path = folder.path("");
    EXPECT_EQ(GetTempFileNameA(path.c_str(), "x", 0x1ABCD, name), 0xABCDu);
    EXPECT_EQ(std::string(name), path + "xABCD.tmp");
    EXPECT_TRUE(folder.entries().empty());
}

TEST(Files, TempFileNameFailures)
{
    TestFolder folder;
    char name[MAX_PATH];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetTempFileNameA(folder.path("missing").c_str(), "x", 0, name),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    write_bytes(folder.path("file"), {1});
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetTempFileNameA(folder.path("file").c_str(), "x", 0, name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));

    std::string long_folder(MAX_PATH - 13, 'a');
    EXPECT_EQ(GetTempFileNameA(long_folder.c_str(), "x", 1, name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));

    EXPECT_EQ(GetTempFileNameA(nullptr, "x", 0, name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Files, AttributesAndNotFoundErrors)
{
    TestFolder folder;
    std::string file = folder.path("file");
    write_bytes(file, first);
    EXPECT_EQ(GetFileAttributesA(file.c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    chmod(file.c_str(), 0444);
    EXPECT_EQ(GetFileAttributesA(file.c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA(folder.path("").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    EXPECT_EQ(GetFileAttributesA(folder.path("none").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(folder.path("none/none").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA((file + "/inside").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    EXPECT_FALSE(DeleteFileA(folder.path("none").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(DeleteFileA(file.c_str()));
    EXPECT_FALSE(file_exists(file));
}

TEST(Files, LastErrorBelongsToItsThread)
{
    SetLastError(ERROR_DISK_FULL);
    DWORD seen_elsewhere = 1;
    std::thread other([&] {
        seen_elsewhere = GetLastError();
        SetLastError(ERROR_ACCESS_DENIED);
    });
    other.join();
    EXPECT_EQ(seen_elsewhere, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
}

TEST(Files, MoveReplacesOnlyWhenAsked)
{
    TestFolder folder;
    std::string from = folder.path("from"), to = folder.path("to");
    write_bytes(from, second);
    write_bytes(to, first);
    EXPECT_FALSE(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(read_bytes(to), first);
    EXPECT_EQ(read_bytes(from), second);

    EXPECT_TRUE(
        MoveFileExA(from.c_str(), to.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(read_bytes(to), second);
    EXPECT_FALSE(file_exists(from));

    std::string fresh = folder.path("fresh");
    EXPECT_TRUE(MoveFileExA(to.c_str(), fresh.c_str(), 0));
    EXPECT_EQ(read_bytes(fresh), second);

    EXPECT_FALSE(
        MoveFileExA(fresh.c_str(), to.c_str(), 0x2 /* copy allowed */));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(MoveFileExA(folder.path("none").c_str(), to.c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(Files, ReplacementTakesTheNameAndThePermissions)
{
    TestFolder folder;
    ScopedUmask umask_for_test(0);
    std::string replaced = folder.path("replaced"),
                replacement = folder.path("new");
    write_bytes(replaced, first);
    write_bytes(replacement, second);
    chmod(replaced.c_str(), 0604);
    chmod(replacement.c_str(), 0600);
    ASSERT_TRUE(ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr,
                             REPLACEFILE_WRITE_THROUGH, nullptr, nullptr));
    EXPECT_EQ(read_bytes(replaced), second);
    EXPECT_EQ(permission_bits(replaced), 0604u);
    EXPECT_FALSE(file_exists(replacement));
}

TEST(Files, ReplaceFailuresLeaveBothFiles)
{
    TestFolder folder;
    std::string replaced = folder.path("replaced"),
                replacement = folder.path("new");
    write_bytes(replacement, second);

    EXPECT_FALSE(ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0,
                              nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    write_bytes(replaced, first);
    std::string backup = folder.path("backup");
    EXPECT_FALSE(ReplaceFileA(replaced.c_str(), replacement.c_str(),
                              backup.c_str(), 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    EXPECT_FALSE(ReplaceFileA(folder.path("").c_str(), replacement.c_str(),
                              nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    EXPECT_FALSE(ReplaceFileA(replaced.c_str(), folder.path("none").c_str(),
                              nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    // Windows asks for the right to write the replaced file, even where
    // the folder would allow the rename.
    chmod(folder.path("").c_str(), 0777);
    int code = run_in_child([&] {
        if (!drop_root())
            return 100;
        chmod(replaced.c_str(), 0444); // no effect unless the child owns it
        if (ReplaceFileA(replaced.c_str(), replacement.c_str(), nullptr, 0,
                         nullptr, nullptr))
            return 1;
        return GetLastError() == ERROR_ACCESS_DENIED ? 0 : 2;
    });
    EXPECT_NE(code, 100) << "cannot run without root's privileges";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(read_bytes(replaced), first);
    EXPECT_EQ(read_bytes(replacement), second);
}

} // namespace
