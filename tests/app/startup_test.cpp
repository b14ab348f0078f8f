// Start-up: what each answer to the size question gives, and the window
// fitted to the canvas.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLineEdit>
#include <QTest>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#include "canvas/canvas.h"
#include "platform/dialogs/fitting_line_edit.h"
#include "res/resource.h"
#include "tests/app/screen.h"

using namespace app_test;
using scribblet::dialogs::FittingLineEdit;

static HWND g_size_dialog; // the run's, once shown

// A step checking that the size dialog is gone, the canvas and the client
// area, then closing.
static Step expect_canvas(QSize size)
{
    return on_main_window([=] {
        RECT gone{};
        EXPECT_FALSE(GetClientRect(g_size_dialog, &gone));
        EXPECT_EQ(QSize(g_canvas.width, g_canvas.height), size);
        EXPECT_EQ(client_size(), size);
        main_window()->close();
    });
}

// The width field has the focus, its 800 selected to be typed over, in the
// Japanese face that stands in for the template's; typing (and so a paste,
// which Qt checks the same way) stops once its visible width is full,
// deleting makes room again. Each refusal is
// told and the dialog stays (sides up to 32767, pixels up to 536870911); an
// accepted answer sizes the canvas and the window shows all of it. Escape,
// whatever was typed, and the close box take 800 x 800, as Enter does with the
// fields as they start.
TEST(AppStartup, EachRefusedAnswerIsToldAndTheSizeAskedAgain)
{
    const QString too_large =
        "不適なサイズ: 描画領域が大きすぎます。幅と高さはそれぞれ32767以下、"
        "幅×高さは536870911以下にして下さい";
    const struct {
        const char *width, *height;
        QString message;
    } refused[] = {
        {"abc", "-5", "不適な文字: 幅の入力に不適な文字が混入しています"},
        {"20", "", "不適な文字: 高さの入力に不適な文字が混入しています"},
        {"32768", "1", too_large},
        {"1", "32768", too_large},
        {"16385", "32767", too_large},
    };
    Steps steps = {when(
        [] { return size_dialog() != nullptr; },
        [] {
            g_size_dialog = window_inside(size_dialog());
            auto *width = dynamic_cast<FittingLineEdit *>(
                dialog_control<QLineEdit>(size_dialog(), IDC_WIDTH));
            ASSERT_NE(width, nullptr);
            EXPECT_EQ(size_dialog()->focusWidget(), width);
            EXPECT_EQ(width->selectedText(), QStringLiteral("800"));
            EXPECT_TRUE(QFontInfo(width->font()).family().startsWith("IPA"));
            QTest::keyClicks(width, QString(80, u'8'));
            const QString text = width->text();
            const int room = width->visible_text_width();
            const QFontMetrics metrics(width->font());
            EXPECT_GT(text.size(), 3);
            EXPECT_LE(metrics.horizontalAdvance(text), room);
            EXPECT_GT(metrics.horizontalAdvance(text + u'8'), room);
            QTest::keyClick(width, Qt::Key_Backspace);
            QTest::keyClick(width, Qt::Key_9);
            EXPECT_EQ(width->text(), text.chopped(1) + u'9');
        })};
    for (const auto &r : refused)
        steps.insert(steps.end(), {answer(r.width, r.height), told(r.message)});
    steps.insert(steps.end(),
                 {answer("  320", "200"), expect_canvas(QSize(320, 200))});
    EXPECT_EQ(run_program(std::move(steps)), 0);
    const Step close_box = when([] { return size_dialog() != nullptr; },
                                [] { size_dialog()->close(); });
    for (const Step &first :
         {answer("320", {}, Qt::Key_Escape), answer(nullptr, {}), close_box})
        EXPECT_EQ(run_program({first, expect_canvas(QSize(800, 800))}), 0);
}

TEST(AppStartup, ACanvasThatCannotBeMadeIsToldAndTheSizeAskedAgain)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds terabytes of address space: no "
                    "limit on it leaves the program running";
#endif
    // Room for the program as it is now, not for a 2 GiB canvas.
    rlimit unlimited = {};
    getrlimit(RLIMIT_AS, &unlimited);
    rlim_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlimit scarce = {pages * sysconf(_SC_PAGESIZE) + (512 << 20),
                           unlimited.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &scarce), 0);
    EXPECT_EQ(
        run_program({answer("23170", "23170"),
                     told("メモリ不足: この大きさの描画領域を作るための"
                          "メモリが足りません。もっと小さいサイズを入力"
                          "して下さい"),
                     answer("200", "100"), expect_canvas(QSize(200, 100))}),
        0);
    setrlimit(RLIMIT_AS, &unlimited);
}
