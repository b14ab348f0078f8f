// Modal dialogs from the program's canvas-size template: Enter, Escape and
// the close box end them with their commands, and GetDlgItemInt reads an
// edit field's text as an unsigned decimal number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/conformance/conformance.h"

namespace {

// What a test dialog does when it starts, and what it saw.
struct DialogScript {
    void (*on_init)(HWND dialog, DialogScript *script);
    WPARAM key = 0;
    std::vector<WORD> commands;
};

INT_PTR CALLBACK script_proc(HWND dialog, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    static DialogScript *script;
    switch (message) {
    case WM_INITDIALOG:
        script = reinterpret_cast<DialogScript *>(lParam);
        script->on_init(dialog, script);
        return FALSE;
    case WM_COMMAND:
        script->commands.push_back(LOWORD(wParam));
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR run_dialog(DialogScript *script)
{
    return DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_CANVAS_SIZE), NULL,
                           script_proc, reinterpret_cast<LPARAM>(script));
}

void press_key_in_width_field(HWND dialog, DialogScript *script)
{
    PostMessageA(GetDlgItem(dialog, IDC_WIDTH), WM_KEYDOWN, script->key, 1);
}

TEST(Dialog, EnterSendsTheDefaultButtonsCommand)
{
    DialogScript script{press_key_in_width_field, VK_RETURN, {}};
    EXPECT_EQ(run_dialog(&script), IDOK);
    EXPECT_EQ(script.commands, std::vector<WORD>{IDOK});
}

TEST(Dialog, EscapeSendsCancel)
{
    DialogScript script{press_key_in_width_field, VK_ESCAPE, {}};
    EXPECT_EQ(run_dialog(&script), IDCANCEL);
    EXPECT_EQ(script.commands, std::vector<WORD>{IDCANCEL});
}

TEST(Dialog, TheCloseBoxSendsCancel)
{
    DialogScript script{[](HWND dialog, DialogScript *) {
                            PostMessageA(dialog, WM_CLOSE, 0, 0);
                        },
                        0,
                        {}};
    EXPECT_EQ(run_dialog(&script), IDCANCEL);
    EXPECT_EQ(script.commands, std::vector<WORD>{IDCANCEL});
}

struct Reading {
    std::string text;
    BOOL translated;
    UINT value;
};

// Each text put into the width field and read back, inside a dialog that
// ends at once.
std::vector<Reading> g_readings;

void read_each(HWND dialog, DialogScript *)
{
    HWND field = GetDlgItem(dialog, IDC_WIDTH);
    for (Reading &reading : g_readings) {
        SendMessageA(field, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(reading.text.c_str()));
        reading.translated = 2; // neither TRUE nor FALSE: must be overwritten
        reading.value =
            GetDlgItemInt(dialog, IDC_WIDTH, &reading.translated, FALSE);
    }
    EndDialog(dialog, IDOK);
}

void expect_readings(const std::vector<Reading> &expected)
{
    g_readings = expected;
    DialogScript script{read_each, 0, {}};
    run_dialog(&script);
    ASSERT_EQ(g_readings.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("\"" + expected[i].text + "\"");
        EXPECT_EQ(g_readings[i].translated, expected[i].translated);
        if (expected[i].translated)
            EXPECT_EQ(g_readings[i].value, expected[i].value);
        else
            EXPECT_EQ(g_readings[i].value, 0u);
    }
}

TEST(GetDlgItemInt, ReadsDecimalNumbersUpToTheUnsignedLimit)
{
    expect_readings({
        {"0", TRUE, 0},
        {"800", TRUE, 800},
        {"  42", TRUE, 42},
        {"7 ", TRUE, 7},
        {"4294967295", TRUE, 4294967295u},
        {"", FALSE, 0},
        {"abc", FALSE, 0},
        {"4294967296", FALSE, 0},
    });
}

TEST(GetDlgItemInt, RefusesTrailingTextAndSignsWhenUnsigned)
{
    if (running_under_wine())
        GTEST_SKIP() << "Wine reads with strtoul: it takes \"12a\" as 12 and "
                        "\"-5\" as 4294967291, where Windows refuses both";
    expect_readings({
        {"12a", FALSE, 0},
        {"-5", FALSE, 0},
        {"+5", FALSE, 0},
    });
}

} // namespace
