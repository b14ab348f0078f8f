// Modal dialog boxes from templates, driven as a person drives them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <vector>

#include "dialog_test_support.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/platform.h"
#include "platform/resources/resource_reader.h"
#include "platform/winsys/window_system.h"
#include "res/resource.h"
#include "user_script.h"

namespace {

using namespace scribblet;
using namespace scribblet::dialogs_test;

constexpr int kWidthField = 135;
constexpr int kHeightField = 136;

struct Command {
    int id;
    int code;
    LPARAM control;
};

// What the test procedures saw.
struct Seen {
    HWND dialog = nullptr;
    WPARAM initFocus = 0;
    LPARAM initParam = 0;
    std::vector<Command> commands;
    UINT width = 0, height = 0;
    BOOL widthRead = FALSE, heightRead = FALSE;
    bool ownerWasEnabled = true;
    bool ignoreCancel = false;
    bool complainOnOk = false;
    int messageBoxResult = 0;
    INT_PTR initAnswer = FALSE;
} g_seen;

HWND g_owner = nullptr;

void Record(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    g_seen.dialog = hwnd;
    g_seen.initFocus = wParam;
    g_seen.initParam = lParam;
    g_seen.ownerWasEnabled = winsys::is_window_enabled(g_owner);
}

// Like the program's canvas-size procedure: both fields start at 800.
INT_PTR CALLBACK SizeProc(HWND hwnd, UINT message, WPARAM wParam,
                          LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        Record(hwnd, wParam, lParam);
        SetDlgItemInt(hwnd, kWidthField, 800, TRUE);
        SetDlgItemInt(hwnd, kHeightField, 800, TRUE);
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    g_seen.commands.push_back({id, HIWORD(wParam), lParam});
    if (id == IDOK) {
        g_seen.width = GetDlgItemInt(hwnd, kWidthField, &g_seen.widthRead,
                                     FALSE);
        g_seen.height = GetDlgItemInt(hwnd, kHeightField,
                                      &g_seen.heightRead, FALSE);
        if (g_seen.complainOnOk) {
            g_seen.complainOnOk = false;
            g_seen.messageBoxResult =
                MessageBoxA(hwnd, "幅の入力に不適な文字が混入しています",
                            "不適な文字", MB_OK);
            return FALSE;
        }
    }
    if (id == IDOK || (id == IDCANCEL && !g_seen.ignoreCancel)) {
        EndDialog(hwnd, id);
        return TRUE;
    }
    return FALSE;
}

// Asks for the default focus, ends on OK and Cancel.
INT_PTR CALLBACK FocusProc(HWND hwnd, UINT message, WPARAM wParam,
                           LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        Record(hwnd, wParam, lParam);
        return g_seen.initAnswer;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    g_seen.commands.push_back({id, HIWORD(wParam), lParam});
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(hwnd, id);
        return TRUE;
    }
    return FALSE;
}

class DialogsBox : public testing::Test {
protected:
    void SetUp() override
    {
        g_seen = Seen{};
        g_owner = owner_.hwnd();
    }

    INT_PTR Run(HINSTANCE instance, int id, DLGPROC proc,
                std::deque<UserScript::Step> steps, LPARAM param = 0)
    {
        UserScript script(std::move(steps));
        const INT_PTR result = DialogBoxParamA(
            instance, MAKEINTRESOURCEA(id), g_owner, proc, param);
        EXPECT_TRUE(script.finished());
        return result;
    }

    INT_PTR RunSize(std::deque<UserScript::Step> steps)
    {
        return Run(resources::program_instance(), IDD_CANVAS_SIZE, SizeProc,
                   std::move(steps));
    }

    OwnerWindow owner_;
};

bool Shown() { return g_seen.dialog != nullptr && IsShown(g_seen.dialog); }

QWidget *Focus() { return TopLevelWidget(g_seen.dialog)->focusWidget(); }

// Keys go where the user's keys go: to the widget with the focus.
UserScript::Step Press(Qt::Key key)
{
    return [key] {
        if (!Shown())
            return false;
        QTest::keyClick(Focus(), key);
        return true;
    };
}

UserScript::Step Type(QString text)
{
    return [text] {
        if (!Shown())
            return false;
        QTest::keyClicks(Focus(), text);
        return true;
    };
}

TEST_F(DialogsBox, EnterAtOnceGivesOkWithTheOwnerDisabledMeanwhile)
{
    HWND dialog = nullptr;
    const INT_PTR result = RunSize({[&dialog] {
        if (!Shown())
            return false;
        dialog = g_seen.dialog;
        // The first tab-stop field has the focus, its number selected.
        auto *width = ControlWidget<QLineEdit>(dialog, kWidthField);
        EXPECT_EQ(Focus(), width);
        EXPECT_EQ(width->selectedText(), QStringLiteral("800"));
        EXPECT_FALSE(winsys::is_window_enabled(g_owner));
        QTest::keyClick(Focus(), Qt::Key_Return);
        return true;
    }});
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(g_seen.ownerWasEnabled);
    EXPECT_TRUE(winsys::is_window_enabled(g_owner));
    EXPECT_FALSE(winsys::is_window(dialog));
    EXPECT_TRUE(g_seen.widthRead && g_seen.heightRead);
    EXPECT_EQ(g_seen.width, 800u);
    EXPECT_EQ(g_seen.height, 800u);
}

TEST_F(DialogsBox, TypingReplacesTheNumbers)
{
    const INT_PTR result =
        RunSize({Type("1024"), Press(Qt::Key_Tab), Type("768"),
                 Press(Qt::Key_Return)});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(g_seen.width, 1024u);
    EXPECT_EQ(g_seen.height, 768u);
}

TEST_F(DialogsBox, EscapeAndTheCloseBoxCancel)
{
    EXPECT_EQ(RunSize({Type("5"), Press(Qt::Key_Escape)}), IDCANCEL);
    EXPECT_EQ(RunSize({[] {
                  if (!Shown())
                      return false;
                  TopLevelWidget(g_seen.dialog)->close();
                  return true;
              }}),
              IDCANCEL);
}

TEST_F(DialogsBox, TheCloseBoxDoesNotDestroyTheDialog)
{
    g_seen.ignoreCancel = true;
    const INT_PTR result = RunSize({
        [] {
            if (!Shown())
                return false;
            TopLevelWidget(g_seen.dialog)->close();
            return true;
        },
        [] {
            if (g_seen.commands.empty())
                return false;
            EXPECT_EQ(g_seen.commands.back().id, IDCANCEL);
            EXPECT_TRUE(winsys::is_window(g_seen.dialog));
            EXPECT_TRUE(Shown());
            return true;
        },
        Press(Qt::Key_Return)});
    EXPECT_EQ(result, IDOK);
}

TEST_F(DialogsBox, FieldsAreReadByTheIntegerRules)
{
    struct Case {
        const char *typed;
        bool read;
        UINT value;
    };
    for (const Case &c : {Case{" 640 ", true, 640}, Case{"0", true, 0},
                          Case{"12x", false, 0}, Case{"", false, 0},
                          Case{"-5", false, 0}, Case{"abc", false, 0}}) {
        g_seen = Seen{};
        RunSize({[&c] {
                     if (!Shown())
                         return false;
                     QTest::keyClick(Focus(), Qt::Key_Delete);
                     QTest::keyClicks(Focus(), QString::fromUtf8(c.typed));
                     return true;
                 },
                 Press(Qt::Key_Return)});
        EXPECT_EQ(g_seen.widthRead, c.read ? TRUE : FALSE) << c.typed;
        EXPECT_EQ(g_seen.width, c.value) << c.typed;
    }
}

TEST_F(DialogsBox, AMessageBoxFromTheDialogIsOwnedByIt)
{
    g_seen.complainOnOk = true;
    const INT_PTR result = RunSize({
        Press(Qt::Key_Return),
        [] {
            auto *box = OpenWindow<QMessageBox>();
            if (box == nullptr)
                return false;
            EXPECT_EQ(box->text(),
                      QStringLiteral("幅の入力に不適な文字が混入しています"));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("不適な文字"));
            EXPECT_EQ(box->windowHandle()->transientParent(),
                      TopLevelWidget(g_seen.dialog)->windowHandle());
            EXPECT_FALSE(winsys::is_window_enabled(g_seen.dialog));
            QTest::keyClick(box, Qt::Key_Escape);
            return true;
        },
        [] {
            if (OpenWindow<QMessageBox>() != nullptr)
                return false;
            EXPECT_TRUE(winsys::is_window_enabled(g_seen.dialog));
            QTest::keyClick(Focus(), Qt::Key_Escape);
            return true;
        }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(g_seen.messageBoxResult, IDOK);
}

TEST_F(DialogsBox, InitDialogGetsItsParameterAndTheFirstTabStop)
{
    g_seen.initAnswer = TRUE;
    const INT_PTR result = Run(
        resources::program_instance(), IDD_ABOUTBOX, FocusProc,
        {[] {
             if (!Shown())
                 return false;
             const HWND ok = GetDlgItem(g_seen.dialog, IDOK);
             EXPECT_EQ(g_seen.initFocus, reinterpret_cast<WPARAM>(ok));
             EXPECT_EQ(Focus(), ControlWidget<QPushButton>(g_seen.dialog,
                                                           IDOK));
             // The icon static shows the program's icon at icon size.
             auto *icon = ControlWidget<QLabel>(g_seen.dialog,
                                                IDC_ICON_STATIC);
             EXPECT_FALSE(icon->pixmap().isNull());
             RECT r{};
             GetWindowRect(GetDlgItem(g_seen.dialog, IDC_ICON_STATIC), &r);
             EXPECT_EQ(r.right - r.left, 32 * dialogs::logical_dpi() / 96);
             QTest::mouseClick(
                 ControlWidget<QPushButton>(g_seen.dialog, IDC_IJG_LINK),
                 Qt::LeftButton);
             return true;
         },
         [] {
             if (g_seen.commands.empty())
                 return false;
             const Command link = g_seen.commands.front();
             EXPECT_EQ(link.id, IDC_IJG_LINK);
             EXPECT_EQ(link.code, BN_CLICKED);
             EXPECT_EQ(link.control,
                       reinterpret_cast<LPARAM>(
                           GetDlgItem(g_seen.dialog, IDC_IJG_LINK)));
             EXPECT_TRUE(Shown());
             // The click focused the button; Enter now presses it.
             QTest::keyClick(Focus(), Qt::Key_Return);
             return true;
         },
         [] {
             if (g_seen.commands.size() < 2)
                 return false;
             EXPECT_EQ(g_seen.commands[1].id, IDC_IJG_LINK);
             QTest::keyClick(Focus(), Qt::Key_Escape);
             return true;
         }},
        0x1234);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(g_seen.initParam, 0x1234);
}

TEST_F(DialogsBox, TheLayoutFollowsTheTemplateFont)
{
    RunSize({[] {
                 if (!Shown())
                     return false;
                 const HWND dialog = g_seen.dialog;
                 const dialogs::DialogBaseUnits units =
                     dialogs::measure_base_units(
                         ControlWidget<QLineEdit>(dialog, kWidthField)
                             ->font());
                 RECT client{};
                 GetClientRect(dialog, &client);
                 EXPECT_EQ(client.right, dialogs::dlu_to_pixels_x(120, units));
                 EXPECT_EQ(client.bottom, dialogs::dlu_to_pixels_y(45, units));

                 const POINT origin = winsys::client_origin(dialog);
                 const POINT ownerOrigin = winsys::client_origin(g_owner);
                 EXPECT_EQ(origin.x - ownerOrigin.x,
                           dialogs::dlu_to_pixels_x(22, units));
                 EXPECT_EQ(origin.y - ownerOrigin.y,
                           dialogs::dlu_to_pixels_y(17, units));

                 RECT field{};
                 GetWindowRect(GetDlgItem(dialog, kWidthField), &field);
                 const dialogs::UnitRect expected =
                     dialogs::dlu_rect_to_pixels({25, 10, 50, 12}, units);
                 EXPECT_EQ(field.left - origin.x, expected.x);
                 EXPECT_EQ(field.top - origin.y, expected.y);
                 EXPECT_EQ(field.right - field.left, expected.cx);
                 EXPECT_EQ(field.bottom - field.top, expected.cy);
                 QTest::keyClick(Focus(), Qt::Key_Return);
                 return true;
             }});
}

TEST_F(DialogsBox, EndDialogFromOutsideAMessageEndsTheLoopWithItsResult)
{
    const INT_PTR result = RunSize({[] {
        if (!Shown())
            return false;
        EXPECT_TRUE(EndDialog(g_seen.dialog, 42));
        EXPECT_FALSE(Shown());
        EXPECT_TRUE(winsys::is_window_enabled(g_owner));
        return true;
    }});
    EXPECT_EQ(result, 42);
}

TEST_F(DialogsBox, AMissingTemplateGivesMinusOneAndLeavesTheOwnerAlone)
{
    EXPECT_EQ(DialogBoxParamA(resources::program_instance(),
                              MAKEINTRESOURCEA(999), g_owner, SizeProc, 0),
              -1);
    EXPECT_TRUE(winsys::is_window_enabled(g_owner));
    EXPECT_EQ(g_seen.dialog, nullptr);
    EXPECT_FALSE(EndDialog(g_owner, 1));
}

} // namespace
