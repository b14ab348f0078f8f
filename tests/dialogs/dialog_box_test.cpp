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

// Like the program's procedure: both fields start at 800 and are read on
// OK.
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

// What a person does, to the widget with the focus, once the dialog shows.
using Act = std::function<void(QWidget *focus)>;

Act Key(Qt::Key key)
{
    return [key](QWidget *focus) { QTest::keyClick(focus, key); };
}

Act Type(const char *text)
{
    return [text](QWidget *focus) { QTest::keyClicks(focus, text); };
}

// The owner is disabled while the dialog runs; the first tab-stop field has
// the focus, its number selected. Enter presses the default button from a
// field; Escape and the close box send IDCANCEL.
TEST(DialogsBox, KeysAndTheCloseBoxSendTheirCommands)
{
    OwnerWindow owner;
    const Act first_field = [&owner](QWidget *focus) {
        EXPECT_FALSE(winsys::is_window_enabled(owner.hwnd()));
        EXPECT_EQ(focus, ControlWidget<QLineEdit>(g_dialog, IDC_WIDTH));
        EXPECT_EQ(ControlWidget<QLineEdit>(g_dialog, IDC_WIDTH)->selectedText(),
                  QStringLiteral("800"));
    };
    const Act close_box = [](QWidget *focus) { focus->window()->close(); };
    const struct {
        std::vector<Act> acts;
        INT_PTR result;
        UINT width, height;
    } cases[] = {
        {{first_field, Key(Qt::Key_Return)}, IDOK, 800, 800},
        {{Type("1024"), Key(Qt::Key_Tab), Type("768"), Key(Qt::Key_Return)},
         IDOK,
         1024,
         768},
        {{Type("5"), Key(Qt::Key_Escape)}, IDCANCEL, 0, 0},
        {{close_box}, IDCANCEL, 0, 0},
    };
    for (const auto &c : cases) {
        g_dialog = nullptr;
        g_width = g_height = 0;
        std::deque<UserScript::Step> steps;
        for (const Act &act : c.acts)
            steps.push_back([act] {
                if (g_dialog == nullptr || !IsShown(g_dialog))
                    return false;
                act(TopLevelWidget(g_dialog)->focusWidget());
                return true;
            });
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
