// What the export tests share: files' bytes, a scratch folder holding one
// existing file, and the writers on the same pixels.
#ifndef SCRIBBLET_TESTS_EXPORT_EXPORT_TEST_SUPPORT_H
#define SCRIBBLET_TESTS_EXPORT_EXPORT_TEST_SUPPORT_H

#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline Bytes read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Longer than what any writer saves, so that a file written over in
// place must be cut to its new length.
inline const Bytes old_content(300000, 'o');

// A new folder under `parent` holding a folder "work" with one file,
// "old.img", of old_content; removed with its content at the end.
class TestFolder {
public:
    explicit TestFolder(const std::filesystem::path &parent =
                            std::filesystem::temp_directory_path())
    {
        std::random_device random;
        do
            root_ = parent / ("scribblet-" + std::to_string(random()));
        while (!std::filesystem::create_directory(root_));
        std::filesystem::create_directory(root_ / "work");
        write_bytes(old_file(), old_content);
    }
    ~TestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;
    std::string path(const std::string &name) const
    {
        return (root_ / name).generic_string();
    }
    std::string old_file() const
    {
        return path("work/old.img");
    }
    std::set<std::string> entries(const std::string &subfolder = "") const
    {
        std::set<std::string> names;
        for (auto &entry :
             std::filesystem::directory_iterator(root_ / subfolder))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path root_;
};

// Writers of side × side pixels that compress badly, so that even the JPEG
// file is large; only the larger BMP file outgrows the stream's buffer.
struct Writer {
    const char *label;
    WriteResult (*format)(const char *, const BYTE *, LONG, LONG);
    LONG side;

    WriteResult write(const char *file_name) const
    {
        static const Bytes noise = [] {
            std::minstd_rand random(12345);
            Bytes bytes(300 * 300 * 4);
            for (unsigned char &byte : bytes)
                byte = static_cast<unsigned char>(random() >> 8);
            return bytes;
        }();
        return format(file_name, noise.data(), side, side);
    }
};
inline const Writer writers[] = {{"BMP", write_bmp, 300},
                                 {"JPEG", write_jpeg, 300},
                                 {"small BMP", write_bmp, 200}};

// The bytes `writer` gives a plain new file.
inline Bytes saved_bytes(const Writer &writer)
{
    TestFolder folder;
    std::string name = folder.path("plain.img");
    writer.write(name.c_str());
    return read_bytes(name);
}

#endif // SCRIBBLET_TESTS_EXPORT_EXPORT_TEST_SUPPORT_H
