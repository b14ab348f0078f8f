// Both writers over a file already there: replaced whole, or, when saving
// fails, left byte for byte, with nothing else left behind.
#include "tests/export/export_test_support.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(SafeSave, ReplacedWholeOrLeftAsItWas)
{
    struct Case {
        const char *name; // in the test folder
        bool read_only;   // old.img has Windows' read-only attribute
        WriteFailure failure;
    } const cases[] = {
        {"work/old.img", false, WRITE_OK},
        {"missing/picture.img", false, WRITE_FOLDER_NOT_FOUND},
        {"work/old.img/picture.img", false, WRITE_FOLDER_NOT_FOUND},
        {"work", false, WRITE_NAME_IS_FOLDER},
        {"work/old.img", true, WRITE_ACCESS_DENIED},
    };
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(writer.label) + " " + c.name);
            FolderWithOldFile setup;
            if (c.read_only)
                fs::permissions(setup.old_file, fs::perms::owner_write,
                                fs::perm_options::remove);
            const std::string name = setup.folder.path(c.name);
            testing::internal::CaptureStderr();
            EXPECT_EQ(writer.write(name.c_str()).failure, c.failure);
            const std::string said = testing::internal::GetCapturedStderr();
            if (c.failure == WRITE_OK) {
                EXPECT_EQ(read_bytes(setup.old_file), saved_bytes(writer));
                EXPECT_EQ(setup.folder.entries("work"),
                          std::set<std::string>{"old.img"});
                continue;
            }
            setup.expect_untouched();
            EXPECT_EQ(said, writer.write == save_jpeg
                                ? "can't open " + name + "\n"
                                : "");
        }
}

// A new name is taken without replacing a file that appeared under it
// meanwhile.
TEST(SafeSave, MoveReplacesNothing)
{
    FolderWithOldFile setup;
    const std::string from = setup.folder.path("new.img");
    write_bytes(from, {'n', 'e', 'w'});
    EXPECT_FALSE(MoveFileExA(from.c_str(), setup.old_file.c_str(),
                             MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    setup.expect_untouched();
    EXPECT_EQ(read_bytes(from), (Bytes{'n', 'e', 'w'}));
}

} // namespace
