// A scratch folder for file tests, and small helpers around files and child
// processes.
#ifndef SCRIBBLET_TESTS_EXPORT_TEST_FOLDER_H
#define SCRIBBLET_TESTS_EXPORT_TEST_FOLDER_H

#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

// A new folder under the system's temporary folder, open to every user
// (0755) so that a child running as another user can reach into it.
// Removed with its content at the end.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    std::string path(const std::string &name) const;
    std::set<std::string> entries(const std::string &subfolder = "") const;

private:
    std::string root_;
};

std::vector<unsigned char> read_bytes(const std::string &path);
void write_bytes(const std::string &path, const std::vector<unsigned char> &bytes);
bool file_exists(const std::string &path);
mode_t permission_bits(const std::string &path);

// Runs `body` in a forked child and returns its exit code (or 128 + the
// signal that ended it).
int run_in_child(const std::function<int()> &body);

// In a child: gives up root for the "nobody" user, so that permission bits
// apply. True when the process now runs without root's privileges.
bool drop_root();

// Sets the umask for the lifetime of the object.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask);
    ~ScopedUmask();
    ScopedUmask(const ScopedUmask &) = delete;
    ScopedUmask &operator=(const ScopedUmask &) = delete;

private:
    mode_t previous_;
};

#endif // SCRIBBLET_TESTS_EXPORT_TEST_FOLDER_H
