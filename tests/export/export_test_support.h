// What the export tests share: a scratch folder, files' bytes, both writers
// on the same pixels, and a folder holding one existing file.
#ifndef SCRIBBLET_TESTS_EXPORT_EXPORT_TEST_SUPPORT_H
#define SCRIBBLET_TESTS_EXPORT_EXPORT_TEST_SUPPORT_H

#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A new folder under `parent` (by default the system's temporary folder),
// open to every user so that a child running as another user can reach
// into it. Removed with its content at the end.
class TestFolder {
public:
    explicit TestFolder(const std::string &parent = "");
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    std::string path(const std::string &name) const;
    std::set<std::string> entries(const std::string &subfolder = "") const;

private:
    std::string root_;
};

Bytes read_bytes(const std::string &path);
void write_bytes(const std::string &path, const Bytes &bytes);
// A new folder, open to every user like the scratch folder.
void make_folder(const std::string &path);
// The bytes that `hex` spells, two digits a byte.
Bytes from_hex(const std::string &hex);

// A writer saving a canvas of pixels that compress badly, so that even the
// JPEG file is large.
struct Writer {
    const char *label;
    WriteResult (*write)(const char *file_name);
};
WriteResult save_jpeg(const char *file_name);
extern const Writer writers[2];

// The bytes `writer` gives a plain new file.
Bytes saved_bytes(const Writer &writer);

// Longer than what either writer saves, so that a file written over in
// place must be cut to its new length.
extern const Bytes old_content;

// A folder "work" holding one existing file, "old.img", of old_content.
struct FolderWithOldFile {
    TestFolder folder;
    std::string old_file = folder.path("work/old.img");

    FolderWithOldFile();
    void expect_untouched() const;
};

#endif // SCRIBBLET_TESTS_EXPORT_EXPORT_TEST_SUPPORT_H
