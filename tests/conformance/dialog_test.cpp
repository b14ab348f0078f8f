// The canvas-size dialog: Enter, Escape and the close box end it with their
// commands; GetDlgItemInt reads an unsigned decimal number. One case per
// rule, to show that this agrees with Windows; the dialogs' tests hold the
// rest (Wine takes "12a" as 12 and "-5" as 4294967291, Windows neither).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "res/resource.h"
#include "tests/conformance/conformance.h"

namespace {

std::function<void(HWND)> g_on_init; // what the dialog does when it starts
std::vector<WORD> g_commands;        // the commands it saw; each ends it

INT_PTR CALLBACK script_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        g_on_init(dialog);
    if (message != WM_COMMAND)
        return FALSE;
    g_commands.push_back(LOWORD(wParam));
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

INT_PTR run_dialog(std::function<void(HWND)> on_init)
{
    g_on_init = std::move(on_init);
    g_commands.clear();
    return DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_CANVAS_SIZE), NULL,
                           script_proc, 0);
}

TEST(Dialog, EnterSendsTheDefaultButtonEscapeAndTheCloseBoxCancel)
{
    const struct {
        UINT message; // to the width field, or WM_CLOSE to the dialog
        WPARAM key;
        WORD command;
    } cases[] = {{WM_KEYDOWN, VK_RETURN, IDOK},
                 {WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
                 {WM_CLOSE, 0, IDCANCEL}};
    for (const auto &c : cases) {
        EXPECT_EQ(run_dialog([&c](HWND dialog) {
                      PostMessageA(c.message == WM_CLOSE
                                       ? dialog
                                       : GetDlgItem(dialog, IDC_WIDTH),
                                   c.message, c.key, 1);
                  }),
                  c.command);
        EXPECT_EQ(g_commands, std::vector<WORD>{c.command});
    }
}

TEST(GetDlgItemInt, ReadsDecimalNumbersUpToTheUnsignedLimit)
{
    const struct {
        const char *text;
        BOOL translated;
        UINT value;
    } cases[] = {{"  42 ", TRUE, 42},
                 {"4294967295", TRUE, 4294967295u},
                 {"4294967296", FALSE, 0},
                 {"", FALSE, 0}};
    for (const auto &c : cases) {
        BOOL translated = 2; // neither TRUE nor FALSE: must be overwritten
        UINT value = 1;
        run_dialog([&](HWND dialog) {
            HWND field = GetDlgItem(dialog, IDC_WIDTH);
            SendMessageA(field, WM_SETTEXT, 0, (LPARAM)c.text);
            value = GetDlgItemInt(dialog, IDC_WIDTH, &translated, FALSE);
            EndDialog(dialog, IDOK);
        });
        EXPECT_EQ(translated, c.translated) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

} // namespace
