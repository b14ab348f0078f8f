// Start-up: the size question before the window, what each answer gives,
// and the window fitted to the canvas.
#include <gtest/gtest.h>

#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#include "app/canvas_size_dialog.h"
#include "canvas/canvas.h"
#include "tests/app/program_run.h"

using namespace app_test;

TEST(AppSizeLimits, SidesUpTo32767AndPixelsUpTo536870911)
{
    for (auto [width, height, fits] :
         {std::tuple<DWORD, DWORD, bool>{0, 0, true},
          {32767, 1, true},
          {32768, 1, false},
          {1, 32768, false},
          {4294967295u, 0, false},
          {23170, 23170, true},
          {23171, 23171, false},
          {32767, 16384, true},
          {16385, 32767, false}})
        EXPECT_EQ(canvas_size_fits(width, height) != FALSE, fits)
            << width << " x " << height;
}

// A step checking the canvas and the client area, then closing.
static Step expect_canvas(QSize size)
{
    return on_main_window([=] {
        EXPECT_EQ(QSize(g_canvas.width, g_canvas.height), size);
        EXPECT_EQ(client_size(), size);
        PostMessageA(main_hwnd(), WM_CLOSE, 0, 0);
    });
}

// Enter takes the 800 x 800 that the fields start with; the window comes
// after the dialog and shows the whole canvas, nothing hidden.
TEST(AppStartup, TheDefaultIs800By800AndTheWindowFitsIt)
{
    Steps steps = {when([] { return size_dialog() != nullptr; },
                        [] { EXPECT_EQ(main_client(), nullptr) << "not yet"; }),
                   answer({}, {}), on_main_window([] {
                       EXPECT_FALSE(scroll_bar_enabled(Qt::Horizontal));
                       EXPECT_FALSE(scroll_bar_enabled(Qt::Vertical));
                   }),
                   expect_canvas(QSize(800, 800))};
    EXPECT_EQ(run_program(std::move(steps)), 0);
}

// Each refusal is told and the dialog stays; an accepted answer sizes the
// canvas, and Escape then takes 800 x 800 whatever was typed.
TEST(AppStartup, EachRefusedAnswerIsToldAndTheSizeAskedAgain)
{
    const QString width = "不適な文字: 幅の入力に不適な文字が混入しています";
    const QString height = "不適な文字: 高さの入力に不適な文字が混入しています";
    const QString too_large =
        "不適なサイズ: 描画領域が大きすぎます。幅と高さはそれぞれ32767以下、"
        "幅×高さは536870911以下にして下さい";
    const struct {
        const char *width, *height;
        QString message;
    } refused[] = {
        {"abc", "-5", width}, // the width is read first
        {"20", "", height},
        {"32768", "1", too_large},
        {"23171", "23171", too_large},
    };
    Steps steps;
    for (const auto &r : refused)
        steps.insert(steps.end(), {answer(r.width, r.height), told(r.message)});
    steps.insert(steps.end(),
                 {answer("  320", "200"), expect_canvas(QSize(320, 200))});
    EXPECT_EQ(run_program(std::move(steps)), 0);
    EXPECT_EQ(run_program({answer("320", "200", Qt::Key_Escape),
                           expect_canvas(QSize(800, 800))}),
              0);
}

// The address space the process holds now, in bytes.
static rlim_t address_space_in_use()
{
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * sysconf(_SC_PAGESIZE);
}

TEST(AppStartup, ACanvasThatCannotBeMadeIsToldAndTheSizeAskedAgain)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds terabytes of address space: no "
                    "limit on it leaves the program running";
#endif
    rlimit unlimited = {};
    getrlimit(RLIMIT_AS, &unlimited);
    // Room for the program as it is, not for a 2 GiB canvas.
    const rlimit scarce = {address_space_in_use() + (512 << 20),
                           unlimited.rlim_max};
    const Step no_memory =
        told("メモリ不足: この大きさの描画領域を作るためのメモリが足りません"
             "。もっと小さいサイズを入力して下さい");
    Steps steps = {
        [&] { return setrlimit(RLIMIT_AS, &scarce) == 0; },
        answer("23170", "23170"),
        [&] { return no_memory() && setrlimit(RLIMIT_AS, &unlimited) == 0; },
        answer("200", "100"), expect_canvas(QSize(200, 100))};
    EXPECT_EQ(run_program(std::move(steps)), 0);
    setrlimit(RLIMIT_AS, &unlimited);
}
