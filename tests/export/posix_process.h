// Files' permission bits and child processes, for the tests of what a
// user without root's privileges may do (Linux only).
#ifndef SCRIBBLET_TESTS_EXPORT_POSIX_PROCESS_H
#define SCRIBBLET_TESTS_EXPORT_POSIX_PROCESS_H

#include <functional>
#include <string>
#include <sys/types.h>

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

#endif // SCRIBBLET_TESTS_EXPORT_POSIX_PROCESS_H
