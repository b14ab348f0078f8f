#include "tests/export/posix_process.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const uid_t nobody = 65534;

} // namespace

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
        if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 ||
            setuid(nobody) != 0)
            return false;
    }
    return geteuid() != 0;
}

ScopedUmask::ScopedUmask(mode_t mask) : previous_(umask(mask))
{
}

ScopedUmask::~ScopedUmask()
{
    umask(previous_);
}
