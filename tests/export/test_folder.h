// A scratch folder for file tests, and small helpers around files.
#ifndef SCRIBBLET_TESTS_EXPORT_TEST_FOLDER_H
#define SCRIBBLET_TESTS_EXPORT_TEST_FOLDER_H

#include <set>
#include <string>
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
void write_bytes(const std::string &path,
                 const std::vector<unsigned char> &bytes);
bool file_exists(const std::string &path);

// A new folder, open to every user (0755) like the scratch folder.
void make_folder(const std::string &path);

#endif // SCRIBBLET_TESTS_EXPORT_TEST_FOLDER_H
