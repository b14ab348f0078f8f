#include "tests/export/test_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const uid_t nobody = 65534;

} // namespace

TestFolder::TestFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "scribblet-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder");
    root_ = pattern;
    chmod(root_.c_str(), 0755);
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    // Folders made read-only by a test must be writable to be emptied.
    for (auto &entry : std::filesystem::recursive_directory_iterator(root_, ignored))
        if (entry.is_directory(ignored))
            chmod(entry.path().c_str(), 0755);
    std::filesystem::remove_all(root_, ignored);
}

std::string TestFolder::path(const std::string &name) const
{
    return root_ + "/" + name;
}

std::set<std::string> TestFolder::entries(const std::string &subfolder) const
{
    std::set<std::string> names;
    for (auto &entry : std::filesystem::directory_iterator(path(subfolder)))
        names.insert(entry.path().filename().string());
    return names;
}

std::vector<unsigned char> read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool file_exists(const std::string &path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

mode_t permission_bits(const std::string &path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return static_cast<mode_t>(-1);
    return info.st_mode & 07777;
}

int run_in_child(const std::function<int()> &body)
{
    pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0)
        _exit(body());
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return -1;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

bool drop_root()
{
    if (geteuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
            return false;
    }
    return geteuid() != 0;
}

ScopedUmask::ScopedUmask(mode_t mask) : previous_(umask(mask)) {}

ScopedUmask::~ScopedUmask()
{
    umask(previous_);
}
