// The program's canvas-size dialog box, driven as a person drives it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "dialog_test_support.h"
#include "platform/resources/resource_reader.h"
#include "res/resource.h"

namespace {

using namespace scribblet;
using namespace scribblet::dialogs_test;

HWND g_dialog;
UINT g_width, g_height; // what OK read

// Like the program's: both fields start at 800 and are read on OK.
INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        g_dialog = hwnd;
        SetDlgItemInt(hwnd, IDC_WIDTH, 800, TRUE);
        SetDlgItemInt(hwnd, IDC_HEIGHT, 800, TRUE);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        g_width = GetDlgItemInt(hwnd, IDC_WIDTH, nullptr, FALSE);
        g_height = GetDlgItemInt(hwnd, IDC_HEIGHT, nullptr, FALSE);
        EndDialog(hwnd, IDOK);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, IDCANCEL);
    }
    return message == WM_COMMAND;
}

// Waits for the dialog, then acts on the widget with the focus (a person's
// keys go there).
UserScript::Step OnFocus(std::function<void(QWidget *)> act)
{
    return [act] {
        if (g_dialog == nullptr || !IsShown(g_dialog))
            return false;
        act(TopLevelWidget(g_dialog)->focusWidget());
        return true;
    };
}

// The owner is disabled while the dialog runs; the first tab-stop field has
// the focus, its number selected. Enter presses the default button from a
// field; Escape and the close box (typing nothing) send IDCANCEL.
TEST(DialogsBox, KeysAndTheCloseBoxSendTheirCommands)
{
    OwnerWindow owner;
    const struct {
        const char *typed;
        INT_PTR result;
        UINT width, height;
    } cases[] = {{"\r", IDOK, 800, 800},
                 {"1024\t768\r", IDOK, 1024, 768},
                 {"5\x1b", IDCANCEL, 0, 0},
                 {"", IDCANCEL, 0, 0}};
    for (const auto &c : cases) {
        g_dialog = nullptr;
        g_width = g_height = 0;
        std::deque<UserScript::Step> steps{OnFocus([&owner](QWidget *focus) {
            EXPECT_FALSE(winsys::is_window_enabled(owner.hwnd()));
            auto *width = ControlWidget<QLineEdit>(g_dialog, IDC_WIDTH);
            EXPECT_EQ(focus, width);
            EXPECT_EQ(width->selectedText(), QStringLiteral("800"));
        })};
        for (const char *key = c.typed; *key != '\0'; ++key)
            steps.push_back(OnFocus(
                [key](QWidget *focus) { QTest::keyClick(focus, *key); }));
        if (*c.typed == '\0')
            steps.push_back(OnFocus([](QWidget *f) { f->window()->close(); }));
        UserScript script(std::move(steps));
        EXPECT_EQ(DialogBoxParamA(resources::program_instance(),
                                  MAKEINTRESOURCEA(IDD_CANVAS_SIZE),
                                  owner.hwnd(), Procedure, 0),
                  c.result);
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(g_width, c.width);
        EXPECT_EQ(g_height, c.height);
        EXPECT_FALSE(winsys::is_window(g_dialog));
        EXPECT_TRUE(winsys::is_window_enabled(owner.hwnd()));
    }
}

} // namespace
