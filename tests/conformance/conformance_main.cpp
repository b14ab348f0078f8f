// The suite's entry: WinMain, called by the runtime on Windows and by the
// platform's start-up elsewhere, so that the tests run in a real program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/conformance/conformance.h"

HINSTANCE g_module;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    g_module = hInstance;
    // The test runner's words (--gtest_filter=...) hold no blanks.
    std::vector<std::string> words{"conformance_tests"};
    std::istringstream line(lpCmdLine);
    for (std::string word; line >> word;)
        words.push_back(word);
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr); // argv[argc], which googletest moves with the rest
    testing::InitGoogleTest(&argc, argv.data());
    return RUN_ALL_TESTS();
}
