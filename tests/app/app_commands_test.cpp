// The menu commands: each pen's colours and sizes, the graying of Enlarge
// and Shrink, and saving through the real save dialog.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "res/resource.h"
#include "tests/app/person.h"

using namespace person;

static const QString LEFT = "左ボタン(&L)";
static const QString RIGHT = "右ボタン(&R)";
static const QString COLOUR = "色(&C)";
static const QString SIZE = "ペンサイズ(&P)";
static const QString ENLARGE = "大きくする(&I)";
static const QString SHRINK = "小さくする(&D)";

static void menu(Script &script, std::vector<QString> path)
{
    choose_menu(script, path);
}

TEST(AppCommands, EachPenTakesItsColourAndSizeFromTheMenuAlone)
{
    auto expected = std::make_shared<ExpectedCanvas>(400, 200);
    Script script;
    answer_size(script, 400, 200);
    struct Case {
        QString button_menu, colour_item, size_item;
        Qt::MouseButton button;
        QRgb colour;
        int size;
    };
    const std::vector<Case> cases = {
        {LEFT, "赤(&R)", "サイズ5にする(&5)", Qt::LeftButton, RED, 5},
        {RIGHT, "緑(&G)", "サイズ1にする(&1)", Qt::RightButton, GREEN, 1},
        {LEFT, "青(&B)", "サイズ3にする(&3)", Qt::LeftButton, BLUE, 3},
        {RIGHT, "黒(&L)", "サイズ5にする(&5)", Qt::RightButton, BLACK, 5},
        {LEFT, "白(&W)", "サイズ1にする(&1)", Qt::LeftButton, WHITE, 1},
    };
    int y = 10;
    for (const Case &c : cases) {
        menu(script, {c.button_menu, COLOUR, c.colour_item});
        menu(script, {c.button_menu, SIZE, c.size_item});
        // Each button draws a stroke of its own after every change: the one
        // that was not changed keeps what it had.
        std::vector<QPoint> left = {{10, y}, {90, y + 20}};
        std::vector<QPoint> right = {{110, y}, {190, y + 20}};
        script.then("drawing with both", [=] {
            drag(Qt::LeftButton, left);
            drag(Qt::RightButton, right);
        });
        y += 35;
    }
    // What each pen holds after each case, in order.
    QRgb left_colour = BLACK, right_colour = WHITE;
    int left_size = 3, right_size = 3;
    y = 10;
    for (const Case &c : cases) {
        if (c.button == Qt::LeftButton) {
            left_colour = c.colour;
            left_size = c.size;
        } else {
            right_colour = c.colour;
            right_size = c.size;
        }
        expected->drag({{10, y}, {90, y + 20}}, left_size, left_colour);
        expected->drag({{110, y}, {190, y + 20}}, right_size, right_colour);
        y += 35;
    }
    settle(script, "painting");
    script.then("reading the window", [=] {
        EXPECT_EQ(first_difference(shown_client(), expected->image()), "");
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

TEST(AppCommands, EnlargeAndShrinkAreGrayedAtTheirLimits)
{
    Script script;
    answer_size(script, 400, 300);
    for (int i = 0; i < 27; ++i)
        menu(script, {LEFT, SIZE, ENLARGE});
    script.then("after 27 Enlarges", [] {
        EXPECT_EQ(g_left_pen.size, 30);
        EXPECT_FALSE(menu_item_enabled({LEFT, SIZE, ENLARGE}));
        EXPECT_TRUE(menu_item_enabled({LEFT, SIZE, SHRINK}));
        EXPECT_TRUE(menu_item_enabled({RIGHT, SIZE, ENLARGE}));
        EXPECT_EQ(g_right_pen.size, 3);
    });
    for (int i = 0; i < 2; ++i)
        menu(script, {RIGHT, SIZE, SHRINK});
    script.then("after shrinking the right pen to 1", [] {
        EXPECT_EQ(g_right_pen.size, 1);
        EXPECT_FALSE(menu_item_enabled({RIGHT, SIZE, SHRINK}));
        EXPECT_TRUE(menu_item_enabled({RIGHT, SIZE, ENLARGE}));
        EXPECT_FALSE(menu_item_enabled({LEFT, SIZE, ENLARGE}));
    });
    menu(script, {RIGHT, SIZE, ENLARGE});
    menu(script, {LEFT, SIZE, SHRINK});
    script.then("one step back from each limit", [] {
        EXPECT_EQ(g_right_pen.size, 2);
        EXPECT_EQ(g_left_pen.size, 29);
        for (const QString &button : {LEFT, RIGHT}) {
            EXPECT_TRUE(menu_item_enabled({button, SIZE, ENLARGE}));
            EXPECT_TRUE(menu_item_enabled({button, SIZE, SHRINK}));
        }
    });
    // A preset leaves the graying as it was.
    menu(script, {LEFT, SIZE, "サイズ1にする(&1)"});
    script.then("after the preset", [] {
        EXPECT_EQ(g_left_pen.size, 1);
        EXPECT_TRUE(menu_item_enabled({LEFT, SIZE, SHRINK}));
    });
    menu(script, {"ファイル(&F)", "アプリケーションの終了(&X)"});
    EXPECT_EQ(script.run(), 0);
}
