// What the safe-save tests share: both writers on pixels that compress
// badly, and a folder holding one existing file.
#ifndef SCRIBBLET_TESTS_EXPORT_SAFE_SAVE_FIXTURE_H
#define SCRIBBLET_TESTS_EXPORT_SAFE_SAVE_FIXTURE_H

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"
#include "tests/export/test_folder.h"

inline const int side = 256;

// Pixels that compress badly, so that even the JPEG file is large.
inline std::vector<unsigned char> noise(size_t bytes)
{
    std::vector<unsigned char> data(bytes);
    unsigned state = 12345;
    for (unsigned char &byte : data) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return data;
}

struct Writer {
    const char *label;
    WriteResult (*write)(const char *file_name);
};

inline WriteResult save_bmp(const char *file_name)
{
    static const std::vector<unsigned char> read_out = noise(side * side * 4);
    return write_bmp(file_name, read_out.data(), side, side);
}

inline WriteResult save_jpeg(const char *file_name)
{
    static const std::vector<unsigned char> rgb = noise(side * side * 3);
    return write_jpeg(file_name, rgb.data(), side, side);
}

inline const Writer writers[] = {{"BMP", save_bmp}, {"JPEG", save_jpeg}};

// The bytes `writer` gives a plain new file.
inline std::vector<unsigned char> saved_bytes(const Writer &writer)
{
    TestFolder folder;
    std::string name = folder.path("plain.img");
    writer.write(name.c_str());
    return read_bytes(name);
}

inline const std::vector<unsigned char> old_content = {'o', 'l', 'd', ' ',
                                                       'f', 'i', 'l', 'e'};

// A folder holding one existing file, "old.img", with known content.
struct FolderWithOldFile {
    TestFolder folder;
    std::string sub;
    std::string old_file;

    explicit FolderWithOldFile(const std::string &name = "work")
        : sub(name), old_file(folder.path(name + "/old.img"))
    {
        make_folder(folder.path(name));
        write_bytes(old_file, old_content);
    }

    void expect_untouched() const
    {
        EXPECT_EQ(read_bytes(old_file), old_content);
        EXPECT_EQ(folder.entries(sub), std::set<std::string>{"old.img"});
    }
};

#endif // SCRIBBLET_TESTS_EXPORT_SAFE_SAVE_FIXTURE_H
