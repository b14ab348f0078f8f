#include "tests/export/test_folder.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const fs::perms open_to_all = fs::perms::owner_all | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec;

// A folder of a new random name under the temporary folder.
std::string new_scratch_folder()
{
    std::random_device random;
    const fs::path temp = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            temp / ("scribblet-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(candidate, error))
            return candidate.generic_string();
    }
    throw std::runtime_error("cannot make a scratch folder");
}

} // namespace

TestFolder::TestFolder() : root_(new_scratch_folder())
{
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

std::vector<unsigned char> read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<unsigned char> bytes(in ? static_cast<size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char *>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void write_bytes(const std::string &path,
                 const std::vector<unsigned char> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool file_exists(const std::string &path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found &&
           !error;
}

void make_folder(const std::string &path)
{
    fs::create_directory(path);
    fs::permissions(path, open_to_all);
}
