#include "tests/export/export_test_support.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

const fs::perms open_to_all = fs::perms::owner_all | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec;
const int side = 256;

// Bytes of a fixed pseudo-random sequence.
Bytes noise(size_t count)
{
    Bytes data(count);
    unsigned state = 12345;
    for (unsigned char &byte : data) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return data;
}

WriteResult save_bmp(const char *file_name)
{
    static const Bytes read_out = noise(side * side * 4);
    return write_bmp(file_name, read_out.data(), side, side);
}

} // namespace

TestFolder::TestFolder(const std::string &parent)
{
    std::random_device random;
    const fs::path under =
        parent.empty() ? fs::temp_directory_path() : fs::path(parent);
    fs::path candidate;
    do
        candidate = under / ("scribblet-" + std::to_string(random()));
    while (!fs::create_directory(candidate));
    root_ = candidate.generic_string();
    fs::permissions(root_, open_to_all);
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    // Folders made read-only by a test must be writable to be emptied.
    for (auto &entry : fs::recursive_directory_iterator(root_, ignored))
        if (entry.is_directory(ignored))
            fs::permissions(entry.path(), open_to_all, ignored);
    fs::remove_all(root_, ignored);
}

std::string TestFolder::path(const std::string &name) const
{
    return root_ + "/" + name;
}

std::set<std::string> TestFolder::entries(const std::string &subfolder) const
{
    std::set<std::string> names;
    for (auto &entry : fs::directory_iterator(path(subfolder)))
        names.insert(entry.path().filename().string());
    return names;
}

Bytes read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void make_folder(const std::string &path)
{
    fs::create_directory(path);
    fs::permissions(path, open_to_all);
}

Bytes from_hex(const std::string &hex)
{
    Bytes bytes;
    for (size_t at = 0; at + 1 < hex.size(); at += 2)
        bytes.push_back(
            static_cast<unsigned char>(std::stoi(hex.substr(at, 2), 0, 16)));
    return bytes;
}

WriteResult save_jpeg(const char *file_name)
{
    static const Bytes rgb = noise(side * side * 3);
    return write_jpeg(file_name, rgb.data(), side, side);
}

const Writer writers[2] = {{"BMP", save_bmp}, {"JPEG", save_jpeg}};

Bytes saved_bytes(const Writer &writer)
{
    TestFolder folder;
    std::string name = folder.path("plain.img");
    writer.write(name.c_str());
    return read_bytes(name);
}

const Bytes old_content(300000, 'o');

FolderWithOldFile::FolderWithOldFile()
{
    make_folder(folder.path("work"));
    write_bytes(old_file, old_content);
}

void FolderWithOldFile::expect_untouched() const
{
    EXPECT_TRUE(read_bytes(old_file) == old_content);
    EXPECT_EQ(folder.entries("work"), std::set<std::string>{"old.img"});
}
