// A save of an 8000 × 8000 canvas over an existing file, killed (SIGKILL)
// at twenty moments from before the first byte to after the last: the file
// is each time the old one or the complete new one, and nothing else is
// left in its folder.
#include "tests/export/safe_save_fixture.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const LONG big = 8000;
const int moments = 20;

// Rows of a few values: quick to make and to compress.
std::vector<unsigned char> striped(size_t bytes_per_pixel)
{
    const size_t row = big * bytes_per_pixel;
    std::vector<unsigned char> pixels(row * big);
    for (size_t y = 0; y < static_cast<size_t>(big); ++y)
        std::fill_n(pixels.begin() + y * row, row,
                    static_cast<unsigned char>(y / 16 * 40));
    return pixels;
}

// What a process has written so far ("wchar" of /proc/<pid>/io), or -1.
long long bytes_written_by(pid_t pid)
{
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "wchar:")
            return value;
    return -1;
}

// Runs `save` in a child, killed once it has written `bytes` unless it
// ends first.
void kill_after(const std::function<void()> &save, long long bytes)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        save();
        _exit(0);
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(child, nullptr, WNOHANG) == 0) {
        if (bytes_written_by(child) >= bytes ||
            std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

struct BigSave {
    const char *label;
    size_t bytes_per_pixel;
    WriteResult (*write)(const char *, const BYTE *, LONG, LONG);
};

TEST(FilesSafeSave, KilledMidSaveLeavesTheOldOrTheNewFile)
{
    const BigSave saves[] = {{"BMP", 4, write_bmp}, {"JPEG", 3, write_jpeg}};
    for (const BigSave &s : saves) {
        SCOPED_TRACE(s.label);
        const std::vector<unsigned char> pixels = striped(s.bytes_per_pixel);
        FolderWithOldFile setup;
        auto save = [&] {
            s.write(setup.old_file.c_str(), pixels.data(), big, big);
        };
        std::string plain = setup.folder.path("plain.img");
        ASSERT_EQ(s.write(plain.c_str(), pixels.data(), big, big).failure,
                  WRITE_OK);
        const std::vector<unsigned char> complete = read_bytes(plain);
        std::remove(plain.c_str());

        for (int moment = 0; moment < moments; ++moment) {
            SCOPED_TRACE(moment);
            write_bytes(setup.old_file, old_content);
            kill_after(save, static_cast<long long>(complete.size()) * moment /
                                 (moments - 1));
            std::vector<unsigned char> found = read_bytes(setup.old_file);
            EXPECT_TRUE(found == old_content || found == complete)
                << found.size() << " bytes of " << complete.size();
            EXPECT_EQ(setup.folder.entries("work"),
                      std::set<std::string>{"old.img"});
        }
    }
}

} // namespace
