// The suite's entry: WinMain, called by the runtime on Windows and by the
// platform's start-up elsewhere, so that the tests run in a real program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/conformance/conformance.h"

HINSTANCE g_module;

bool running_under_wine()
{
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
#else
    return false;
#endif
}

// The command line split at blanks, double quotes keeping blanks together.
static std::vector<std::string> split_command_line(LPCSTR line)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, started = false;
    for (LPCSTR p = line; *p != '\0'; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            started = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (started)
                words.push_back(word);
            word.clear();
            started = false;
        } else {
            word += *p;
            started = true;
        }
    }
    if (started)
        words.push_back(word);
    return words;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance,
                   LPSTR lpCmdLine, int nShowCmd)
{
    (void)hPrevInstance;
    (void)nShowCmd;
    g_module = hInstance;
    std::vector<std::string> words = split_command_line(lpCmdLine);
    words.insert(words.begin(), "conformance_tests");
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr); // argv[argc], which googletest moves with the rest
    testing::InitGoogleTest(&argc, argv.data());
    return RUN_ALL_TESTS();
}
