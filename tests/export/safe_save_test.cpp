// Both writers, when saving fails: the file already there survives byte for
// byte and nothing else is left behind.
#include "tests/export/safe_save_fixture.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// 0444: Windows' read-only attribute.
const fs::perms read_only =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

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
        EXPECT_EQ(result.system_error, static_cast<DWORD>(ERROR_DIRECTORY));
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
        fs::permissions(setup.old_file, read_only);
        testing::internal::CaptureStderr();
        EXPECT_EQ(writer.write(setup.old_file.c_str()).failure,
                  WRITE_ACCESS_DENIED);
        testing::internal::GetCapturedStderr();
        setup.expect_untouched();
        EXPECT_EQ(fs::status(setup.old_file).permissions(), read_only);
    }
}

} // namespace
