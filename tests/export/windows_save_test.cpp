// Both writers on Windows when the calls that give the new file its name
// fail as Windows documents. The program's calls to ReplaceFileA,
// MoveFileExA and FlushFileBuffers go through the import entries defined
// here, which the linker finds before the system's import library; each
// does the system's own work through kernel32 or fails as told.
#include "tests/export/export_test_support.h"

namespace {

DWORD replace_error = 0; // ReplaceFileA's failure, or 0
bool move_fails = false, flush_fails = false;
bool flushed = false, flushed_before_move = false;

// Through void (*)(), the type that stands for any function.
template <typename Function> Function system_entry(const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// Without a backup name, ERROR_UNABLE_TO_MOVE_REPLACEMENT leaves the old
// file deleted and the new one under its own name; any other failure
// leaves both as they were.
BOOL WINAPI replace_file(LPCSTR replaced, LPCSTR replacement, LPCSTR backup,
                         DWORD flags, LPVOID exclude, LPVOID reserved)
{
    flushed_before_move = flushed;
    if (replace_error == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
        DeleteFileA(replaced);
    return replace_error != 0
               ? fail(replace_error)
               : system_entry<decltype(&ReplaceFileA)>("ReplaceFileA")(
                     replaced, replacement, backup, flags, exclude, reserved);
}

BOOL WINAPI move_file(LPCSTR from, LPCSTR to, DWORD flags)
{
    flushed_before_move |= flushed;
    return move_fails ? fail(ERROR_ACCESS_DENIED)
                      : system_entry<decltype(&MoveFileExA)>("MoveFileExA")(
                            from, to, flags);
}

BOOL WINAPI flush_file(HANDLE file)
{
    flushed = true;
    return flush_fails ? fail(ERROR_DISK_FULL)
                       : system_entry<decltype(&FlushFileBuffers)>(
                             "FlushFileBuffers")(file);
}

} // namespace

extern "C" {
decltype(&ReplaceFileA) __imp_ReplaceFileA = replace_file;
decltype(&MoveFileExA) __imp_MoveFileExA = move_file;
decltype(&FlushFileBuffers) __imp_FlushFileBuffers = flush_file;
}

namespace {

// The drawing reaches the disk before it takes its name. When the old file
// is gone, the new one takes its name or stays where it is, named in the
// result; else the old file stays as it was and nothing else is left.
TEST(WindowsSave, WhenTheNewFileCannotTakeItsName)
{
    struct Case {
        const char *name; // in "work", beside old.img
        DWORD replace_error;
        bool move_fails, flush_fails;
        WriteFailure failure;
    } const cases[] = {
        {"old.img", 0, false, false, WRITE_OK},
        {"new.img", 0, false, false, WRITE_OK},
        {"old.img", ERROR_UNABLE_TO_MOVE_REPLACEMENT, false, false, WRITE_OK},
        {"old.img", ERROR_UNABLE_TO_MOVE_REPLACEMENT, true, false,
         WRITE_KEPT_ELSEWHERE},
        {"old.img", ERROR_UNABLE_TO_REMOVE_REPLACED, false, false,
         WRITE_ACCESS_DENIED},
        {"old.img", 0, false, true, WRITE_DISK_FULL},
    };
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message()
                         << writer.label << " row " << &c - cases + 1);
            FolderWithOldFile setup;
            const std::string name = setup.folder.path("work/") + c.name;
            replace_error = c.replace_error;
            move_fails = c.move_fails;
            flush_fails = c.flush_fails;
            flushed = flushed_before_move = false;
            const WriteResult result = writer.write(name.c_str());
            replace_error = 0;
            move_fails = flush_fails = false;
            EXPECT_EQ(result.failure, c.failure);
            const std::string kept = result.kept_file;
            std::set<std::string> left = {"old.img"};
            if (c.failure == WRITE_OK)
                left.insert(c.name);
            if (!kept.empty())
                left = {std::filesystem::path(kept).filename().string()};
            EXPECT_EQ(setup.folder.entries("work"), left);
            const bool saved = c.failure == WRITE_OK || !kept.empty();
            EXPECT_TRUE(read_bytes(kept.empty() ? name : kept) ==
                        (saved ? saved_bytes(writer) : old_content));
            EXPECT_EQ(flushed_before_move, c.failure != WRITE_DISK_FULL);
        }
}

} // namespace
