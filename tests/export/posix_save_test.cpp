// Both writers on Linux: what a user without root's rights or with a full
// disk meets, links and the owner and permissions saved files get, and a
// save killed halfway.
#include "tests/export/export_test_support.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const uid_t nobody = 65534;

struct stat status_of(const std::string &path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info;
}

// Saves as "nobody", so that permission bits apply, with files limited to
// `size_limit` bytes (0: no limit). Names that are not files stay what they
// are, the save refused before anything is written and in a bounded time:
// a pipe (with a reader waiting when saved through the link), a socket, a
// device node.
TEST(PosixSave, RightsFullDiskAndSpecialFiles)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to save as another user";
    struct Case {
        mode_t folder, file;
        const char *name;
        rlim_t size_limit;
        WriteFailure failure;
        mode_t node; // of "work/node", which "work/link" leads to, or 0
    } const cases[] = {
        {0555, 0644, "work/new.img", 0, WRITE_ACCESS_DENIED, 0},
        {0555, 0644, "work/old.img", 0, WRITE_ACCESS_DENIED, 0},
        {0555, 0666, "work/old.img", 0, WRITE_OK, 0}, // in place, as directly
        {0777, 0644, "work/old.img", 0, WRITE_ACCESS_DENIED, 0},
        {0777, 0666, "work/old.img", 16384, WRITE_DISK_FULL, 0},
        {0777, 0666, "work/new.img", 16384, WRITE_DISK_FULL, 0},
        {0777, 0666, "work/node", 0, WRITE_NOT_A_FILE, S_IFIFO},
        {0777, 0666, "work/link", 0, WRITE_NOT_A_FILE, S_IFIFO},
        {0777, 0666, "work/node", 0, WRITE_NOT_A_FILE, S_IFSOCK},
        {0777, 0666, "work/link", 0, WRITE_NOT_A_FILE, S_IFCHR},
    };
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message()
                         << writer.label << " row " << &c - cases + 1);
            TestFolder folder;
            const std::string node = folder.path("work/node");
            std::set<std::string> names = {"old.img"};
            if (c.node != 0) {
                if (mknod(node.c_str(), c.node | 0666, makedev(1, 3)) != 0) {
                    // Device nodes need CAP_MKNOD, withheld by some hosts.
                    EXPECT_TRUE(c.node == S_IFCHR && errno == EPERM) << errno;
                    continue;
                }
                symlink("node", folder.path("work/link").c_str());
                names.insert({"link", "node"});
            }
            const int reader =
                c.node == S_IFIFO && std::string(c.name).ends_with("link")
                    ? open(node.c_str(), O_RDONLY | O_NONBLOCK)
                    : -1;
            chmod(folder.old_file().c_str(), c.file);
            chmod(folder.path("work").c_str(), c.folder);
            const rlimit limit = {c.size_limit, c.size_limit};
            pid_t child = fork();
            if (child == 0) {
                std::freopen("/dev/null", "w", stderr);
                std::signal(SIGXFSZ, SIG_IGN);
                alarm(30);
                if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 ||
                    setuid(nobody) != 0 ||
                    (c.size_limit && setrlimit(RLIMIT_FSIZE, &limit) != 0))
                    _exit(100);
                _exit(writer.write(folder.path(c.name).c_str()).failure);
            }
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_EQ(status, W_EXITCODE(c.failure, 0));
            EXPECT_EQ(folder.entries("work"), names);
            EXPECT_TRUE(
                read_bytes(folder.old_file()) ==
                (c.failure == WRITE_OK ? saved_bytes(writer) : old_content));
            char byte;
            EXPECT_TRUE(reader < 0 || read(reader, &byte, 1) <= 0);
            close(reader);
            EXPECT_EQ(status_of(node).st_mode & S_IFMT, c.node);
        }
}

// Saved under a name that is a link, the file the link leads to is saved,
// a new file beside itself taking its name, and every link stays a link;
// a file with other names (hard links) is written over in place, so that
// all of them show the new drawing. A file replaced keeps its permission
// bits, owner and group; a new one gets 0666 less the umask.
TEST(PosixSave, LinksOwnerAndPermissions)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to give files to another user";
    // Each link's name and what it holds. "@path": that path in the test
    // folder, "%path": in a folder on another file system, both absolute;
    // "=path": a hard link to that path in the test folder.
    struct Case {
        std::vector<std::pair<std::string, std::string>> links;
        std::string saved_as, file;
    } const cases[] = {
        {{{"work/link", "old.img"}}, "work/link", "@work/old.img"},
        {{{"work/a", "b"}, {"work/b", "@work/old.img"}},
         "work/a",
         "@work/old.img"},
        {{{"work/link", "new.img"}}, "work/link", "@work/new.img"},
        {{{"work/link", "%work/old.img"}}, "work/link", "%work/old.img"},
        {{{"other/old.img", "=work/old.img"}},
         "work/old.img",
         "@other/old.img"},
    };
    for (const Writer &writer : writers)
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(writer.label) + " " + c.saved_as);
            TestFolder folder;
            std::filesystem::create_directory(folder.path("other"));
            TestFolder elsewhere("/dev/shm");
            auto where = [&](const std::string &name) {
                const std::string rest = name.substr(1);
                return name[0] == '%'                     ? elsewhere.path(rest)
                       : name[0] == '@' || name[0] == '=' ? folder.path(rest)
                                                          : name;
            };
            std::set<std::string> names = {"work/old.img"};
            bool in_place = false;
            for (const auto &[name, target] : c.links) {
                in_place |= target[0] == '=';
                ASSERT_EQ((target[0] == '=' ? link : symlink)(
                              where(target).c_str(), folder.path(name).c_str()),
                          0);
                names.insert(name);
            }
            if (c.file[0] == '@')
                names.insert(c.file.substr(1));
            const std::string file = where(c.file);
            const bool existed = chown(file.c_str(), nobody, nobody) == 0;
            chmod(file.c_str(), 0604);
            const ino_t inode = status_of(file).st_ino;
            const mode_t mask = umask(002);
            EXPECT_EQ(writer.write(folder.path(c.saved_as).c_str()).failure,
                      WRITE_OK);
            umask(mask);
            const struct stat info = status_of(file);
            EXPECT_EQ(read_bytes(file), saved_bytes(writer));
            EXPECT_EQ(info.st_ino == inode, in_place);
            EXPECT_EQ(info.st_mode & 07777, existed ? 0604u : 0664u);
            EXPECT_EQ(info.st_uid, existed ? nobody : 0u);
            EXPECT_EQ(info.st_gid, existed ? nobody : 0u);
            std::set<std::string> entries;
            for (const char *sub : {"work", "other"})
                for (const std::string &name : folder.entries(sub))
                    entries.insert(sub + ("/" + name));
            EXPECT_EQ(entries, names);
            EXPECT_EQ(elsewhere.entries("work"),
                      std::set<std::string>{"old.img"});
        }
}

// What a process has written so far ("wchar" of /proc/<pid>/io), or -1.
long long bytes_written_by(pid_t pid)
{
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    long long value = -1;
    while (io >> key >> value && key != "wchar:")
        value = -1;
    return value;
}

// A save of a 4000 × 4000 canvas over an existing file, killed at moments
// from before its first byte to its last, and once left to end: the file is
// each time the old one or the complete new one, and nothing else is left
// in its folder.
TEST(PosixSave, KilledMidSaveLeavesTheOldOrTheNewFile)
{
    const LONG big = 4000;
    const int moments = 12;
    // Rows of a few values: quick to make and to compress.
    Bytes pixels(big * big * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(i / (big * 64) * 40);
    for (const Writer &writer : {writers[0], writers[1]}) {
        SCOPED_TRACE(writer.label);
        TestFolder folder;
        const std::string plain = folder.path("plain.img");
        ASSERT_EQ(writer.format(plain.c_str(), pixels.data(), big, big).failure,
                  WRITE_OK);
        const Bytes complete = read_bytes(plain);
        const std::string target = folder.old_file();
        for (int moment = 0; moment < moments; ++moment) {
            write_bytes(folder.old_file(), old_content);
            const long long bytes = complete.size() * moment / (moments - 2);
            pid_t child = fork();
            if (child == 0)
                _exit(writer.format(target.c_str(), pixels.data(), big, big)
                          .failure);
            for (int ms = 0; waitpid(child, nullptr, WNOHANG) == 0; ++ms) {
                if (bytes_written_by(child) >= bytes || ms > 60000) {
                    kill(child, SIGKILL);
                    waitpid(child, nullptr, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            const Bytes found = read_bytes(folder.old_file());
            EXPECT_TRUE(found == old_content || found == complete)
                << "moment " << moment << ": " << found.size() << " bytes";
            // A kill between the new file's taking a temporary name and its
            // move over the old one leaves it there, but only complete.
            for (const std::string &name : folder.entries("work"))
                EXPECT_TRUE(name == "old.img" ||
                            read_bytes(folder.path("work/" + name)) == complete)
                    << name;
        }
    }
}

} // namespace
