// Start-up: the canvas-size dialog comes first, its rules, the window that
// follows, and the ways out.
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "res/resource.h"
#include "tests/app/person.h"

using namespace person;

static bool main_window_shown()
{
    return main_client() != nullptr;
}

// Answers the size dialog with the given texts (nullptr keeps the field).
static void answer(Script &script, const char *width, const char *height)
{
    script.then(
        "the size dialog", [] { return size_dialog() != nullptr; },
        [=] {
            if (width)
                type_into(dialog_edit(size_dialog(), IDC_WIDTH),
                          QString::fromUtf8(width));
            if (height)
                type_into(dialog_edit(size_dialog(), IDC_HEIGHT),
                          QString::fromUtf8(height));
            press_key(dialog_edit(size_dialog(), IDC_WIDTH), Qt::Key_Return);
        });
}

// Waits for a message box, checks its caption and text, and dismisses it.
static void expect_message(Script &script, const char *caption,
                           const char *text)
{
    script.then(
        std::string("the message ") + text,
        [] { return message_box() != nullptr; },
        [=] {
            QMessageBox *box = message_box();
            EXPECT_EQ(box->windowTitle().toStdString(), caption);
            EXPECT_EQ(box->text().toStdString(), text);
            EXPECT_NE(size_dialog(), nullptr) << "the dialog stays open";
            press_key(box, Qt::Key_Return);
        });
}

static QSize client_size()
{
    RECT client;
    GetClientRect(main_hwnd(), &client);
    return QSize(client.right - client.left, client.bottom - client.top);
}

TEST(AppStartup, EnterTakes800By800AndTheWindowFitsTheCanvas)
{
    Script script;
    script.then(
        "the size dialog before the window",
        [] { return size_dialog() != nullptr; },
        [] {
            EXPECT_FALSE(main_window_shown())
                << "the main window waits for the dialog";
            QLineEdit *width = dialog_edit(size_dialog(), IDC_WIDTH);
            QLineEdit *height = dialog_edit(size_dialog(), IDC_HEIGHT);
            ASSERT_TRUE(width && height);
            EXPECT_EQ(width->text(), "800");
            EXPECT_EQ(height->text(), "800");
            press_key(width, Qt::Key_Return);
        });
    script.then("the main window", main_window_shown, [] {
        EXPECT_EQ(g_canvas.width, 800);
        EXPECT_EQ(g_canvas.height, 800);
        EXPECT_EQ(client_size(), QSize(800, 800));
        EXPECT_EQ(main_client()->size(), QSize(800, 800));
        QImage white(800, 800, QImage::Format_RGB32);
        white.fill(Qt::white);
        EXPECT_EQ(first_difference(shown_client(), white), "");
        for (QScrollBar *bar : main_window()->findChildren<QScrollBar *>())
            EXPECT_FALSE(bar->isEnabled()) << "nothing of the canvas is hidden";
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

TEST(AppStartup, TypedNumbersWithLeadingBlanksSizeTheCanvas)
{
    Script script;
    answer(script, "  320", "200");
    script.then("the main window", main_window_shown, [] {
        EXPECT_EQ(g_canvas.width, 320);
        EXPECT_EQ(g_canvas.height, 200);
        EXPECT_EQ(client_size(), QSize(320, 200));
    });
    choose_menu(script, {"ファイル(&F)", "アプリケーションの終了(&X)"});
    EXPECT_EQ(script.run(), 0);
}

TEST(AppStartup, EscapeAndTheCloseBoxTake800By800WhateverWasTyped)
{
    for (bool close_box : {false, true}) {
        SCOPED_TRACE(close_box ? "close box" : "Escape");
        Script script;
        script.then(
            "the size dialog", [] { return size_dialog() != nullptr; },
            [=] {
                type_into(dialog_edit(size_dialog(), IDC_WIDTH), "123");
                type_into(dialog_edit(size_dialog(), IDC_HEIGHT), "45");
                if (close_box)
                    close_window(size_dialog());
                else
                    press_key(dialog_edit(size_dialog(), IDC_HEIGHT),
                              Qt::Key_Escape);
            });
        script.then("the main window", main_window_shown, [] {
            EXPECT_EQ(g_canvas.width, 800);
            EXPECT_EQ(g_canvas.height, 800);
            close_window(main_window());
        });
        EXPECT_EQ(script.run(), 0);
    }
}

TEST(AppStartup, EachUnreadableFieldIsToldAndTheDialogStaysOpen)
{
    Script script;
    // Width first: with both fields bad only the width is complained of.
    answer(script, "abc", "-5");
    expect_message(script, "不適な文字",
                   "幅の入力に不適な文字が混入しています");
    answer(script, "-5", nullptr);
    expect_message(script, "不適な文字",
                   "幅の入力に不適な文字が混入しています");
    answer(script, "", nullptr);
    expect_message(script, "不適な文字",
                   "幅の入力に不適な文字が混入しています");
    answer(script, "4294967296", nullptr);
    expect_message(script, "不適な文字",
                   "幅の入力に不適な文字が混入しています");
    answer(script, "20", "");
    expect_message(script, "不適な文字",
                   "高さの入力に不適な文字が混入しています");
    answer(script, nullptr, "1x");
    expect_message(script, "不適な文字",
                   "高さの入力に不適な文字が混入しています");
    answer(script, nullptr, "30");
    script.then("the main window", main_window_shown, [] {
        EXPECT_EQ(g_canvas.width, 20);
        EXPECT_EQ(g_canvas.height, 30);
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

TEST(AppStartup, SizesTheProgramCannotHoldAreRefusedAndZeroIsAccepted)
{
    static const char *const too_large =
        "描画領域が大きすぎます。幅と高さはそれぞれ32767以下、"
        "幅×高さは536870911以下にして下さい";
    Script script;
    answer(script, "32768", "1");
    expect_message(script, "不適なサイズ", too_large);
    answer(script, "1", "4294967295");
    expect_message(script, "不適なサイズ", too_large);
    answer(script, "23171", "23171");
    expect_message(script, "不適なサイズ", too_large);
    answer(script, "0", "0");
    script.then("the main window", main_window_shown, [] {
        EXPECT_EQ(g_canvas.width, 0);
        EXPECT_EQ(g_canvas.height, 0);
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}
