// Modal dialog boxes from templates, driven as a person drives them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "dialog_test_support.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/resources/resource_reader.h"
#include "res/resource.h"

namespace {

using namespace scribblet;
using namespace scribblet::dialogs_test;

// What the test procedure saw.
struct Seen {
    HWND dialog = nullptr;
    WPARAM init_focus = 0;
    LPARAM init_param = 0;
    std::vector<WPARAM> commands; // each WM_COMMAND's wParam
    LPARAM first_control = 0;     // the first WM_COMMAND's lParam
    UINT width = 0, height = 0;
    BOOL width_read = FALSE, height_read = FALSE;
    bool owner_was_enabled = true;
    bool ignore_cancel = false;
} g_seen;

HWND g_owner = nullptr;

// Like the program's canvas-size procedure (both fields start at 800), and
// asks for the default focus elsewhere.
INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam,
                           LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        g_seen.dialog = hwnd;
        g_seen.init_focus = wParam;
        g_seen.init_param = lParam;
        g_seen.owner_was_enabled = winsys::is_window_enabled(g_owner);
        if (GetDlgItem(hwnd, IDC_WIDTH) == nullptr)
            return TRUE;
        SetDlgItemInt(hwnd, IDC_WIDTH, 800, TRUE);
        SetDlgItemInt(hwnd, IDC_HEIGHT, 800, TRUE);
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (g_seen.commands.empty())
        g_seen.first_control = lParam;
    g_seen.commands.push_back(wParam);
    const int id = LOWORD(wParam);
    if (id == IDOK && GetDlgItem(hwnd, IDC_WIDTH) != nullptr) {
        g_seen.width =
            GetDlgItemInt(hwnd, IDC_WIDTH, &g_seen.width_read, FALSE);
        g_seen.height =
            GetDlgItemInt(hwnd, IDC_HEIGHT, &g_seen.height_read, FALSE);
    }
    if (id == IDOK || (id == IDCANCEL && !g_seen.ignore_cancel)) {
        EndDialog(hwnd, id);
        return TRUE;
    }
    return FALSE;
}

bool Shown()
{
    return g_seen.dialog != nullptr && IsShown(g_seen.dialog);
}

QWidget *Focus()
{
    return TopLevelWidget(g_seen.dialog)->focusWidget();
}

// A step that waits for the dialog, then acts.
UserScript::Step OnDialog(std::function<void()> act)
{
    return [act] {
        if (!Shown())
            return false;
        act();
        return true;
    };
}

// Keys go where the user's keys go: to the widget with the focus.
UserScript::Step Press(Qt::Key key)
{
    return OnDialog([key] { QTest::keyClick(Focus(), key); });
}

UserScript::Step Type(QString text)
{
    return OnDialog([text] { QTest::keyClicks(Focus(), text); });
}

UserScript::Step CloseBox()
{
    return OnDialog([] { TopLevelWidget(g_seen.dialog)->close(); });
}

class DialogsBox : public testing::Test {
protected:
    void SetUp() override
    {
        g_seen = Seen{};
        g_owner = owner_.hwnd();
    }

    INT_PTR Run(int id, std::deque<UserScript::Step> steps, LPARAM param = 0)
    {
        UserScript script(std::move(steps));
        const INT_PTR result =
            DialogBoxParamA(resources::program_instance(), MAKEINTRESOURCEA(id),
                            g_owner, Procedure, param);
        EXPECT_TRUE(script.finished());
        return result;
    }

    OwnerWindow owner_;
};

TEST_F(DialogsBox, EnterAtOnceGivesOkWithTheOwnerDisabledMeanwhile)
{
    HWND dialog = nullptr;
    EXPECT_EQ(Run(IDD_CANVAS_SIZE, {OnDialog([&dialog] {
                      dialog = g_seen.dialog;
                      // The first tab-stop field has the focus, its number
                      // selected.
                      auto *width = ControlWidget<QLineEdit>(dialog, IDC_WIDTH);
                      EXPECT_EQ(Focus(), width);
                      EXPECT_EQ(width->selectedText(), QStringLiteral("800"));
                      EXPECT_FALSE(winsys::is_window_enabled(g_owner));
                      QTest::keyClick(Focus(), Qt::Key_Return);
                  })}),
              IDOK);
    EXPECT_FALSE(g_seen.owner_was_enabled);
    EXPECT_TRUE(winsys::is_window_enabled(g_owner));
    EXPECT_FALSE(winsys::is_window(dialog));
    EXPECT_TRUE(g_seen.width_read && g_seen.height_read);
    EXPECT_EQ(g_seen.width, 800u);
    EXPECT_EQ(g_seen.height, 800u);
}

// Enter presses the default button from a field, Escape and the close box
// send IDCANCEL; the close box does not destroy the dialog.
TEST_F(DialogsBox, KeysAndTheCloseBoxSendTheirCommands)
{
    EXPECT_EQ(Run(IDD_CANVAS_SIZE, {Type("1024"), Press(Qt::Key_Tab),
                                    Type("768"), Press(Qt::Key_Return)}),
              IDOK);
    EXPECT_EQ(g_seen.width, 1024u);
    EXPECT_EQ(g_seen.height, 768u);
    EXPECT_EQ(Run(IDD_CANVAS_SIZE, {Type("5"), Press(Qt::Key_Escape)}),
              IDCANCEL);
    EXPECT_EQ(Run(IDD_CANVAS_SIZE, {CloseBox()}), IDCANCEL);

    g_seen = Seen{};
    g_seen.ignore_cancel = true;
    EXPECT_EQ(Run(IDD_CANVAS_SIZE, {CloseBox(),
                                    [] {
                                        if (g_seen.commands.empty())
                                            return false;
                                        EXPECT_EQ(g_seen.commands.back(),
                                                  WPARAM{IDCANCEL});
                                        EXPECT_TRUE(Shown());
                                        g_seen.ignore_cancel = false;
                                        return true;
                                    },
                                    Press(Qt::Key_Escape)}),
              IDCANCEL);
}

TEST_F(DialogsBox, InitDialogGetsItsParameterAndTheFirstTabStop)
{
    const auto link = [] { return GetDlgItem(g_seen.dialog, IDC_IJG_LINK); };
    EXPECT_EQ(
        Run(IDD_ABOUTBOX,
            {OnDialog([link] {
                 const HWND ok = GetDlgItem(g_seen.dialog, IDOK);
                 EXPECT_EQ(g_seen.init_focus, reinterpret_cast<WPARAM>(ok));
                 EXPECT_EQ(Focus(),
                           ControlWidget<QPushButton>(g_seen.dialog, IDOK));
                 // The icon static shows the program's icon at 32 pixels.
                 EXPECT_FALSE(
                     ControlWidget<QLabel>(g_seen.dialog, IDC_ICON_STATIC)
                         ->pixmap()
                         .isNull());
                 RECT r{};
                 GetWindowRect(GetDlgItem(g_seen.dialog, IDC_ICON_STATIC), &r);
                 EXPECT_EQ(r.right - r.left, 32);
                 QTest::mouseClick(
                     ControlWidget<QPushButton>(g_seen.dialog, IDC_IJG_LINK),
                     Qt::LeftButton);
             }),
             [link] {
                 if (g_seen.commands.empty())
                     return false;
                 EXPECT_EQ(g_seen.commands[0],
                           MAKEWPARAM(IDC_IJG_LINK, BN_CLICKED));
                 EXPECT_EQ(g_seen.first_control,
                           reinterpret_cast<LPARAM>(link()));
                 // The click focused the button; Enter now presses it.
                 QTest::keyClick(Focus(), Qt::Key_Return);
                 return true;
             },
             [] {
                 if (g_seen.commands.size() < 2)
                     return false;
                 EXPECT_EQ(LOWORD(g_seen.commands[1]), IDC_IJG_LINK);
                 QTest::keyClick(Focus(), Qt::Key_Escape);
                 return true;
             }},
            0x1234),
        IDCANCEL);
    EXPECT_EQ(g_seen.init_param, 0x1234);
}

// Dialog units from the template font as Windows measures them: the
// average width of the 52 letters rounded up by half, and the font height;
// horizontal units are quarters of the first, vertical ones eighths of the
// second, rounded.
TEST_F(DialogsBox, TheLayoutFollowsTheTemplateFont)
{
    Run(IDD_CANVAS_SIZE, {OnDialog([] {
            const HWND dialog = g_seen.dialog;
            const QFontMetrics metrics(
                ControlWidget<QLineEdit>(dialog, IDC_WIDTH)->font());
            const int across =
                (metrics.horizontalAdvance(QStringLiteral(
                     "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                     26 +
                 1) /
                2;
            const auto x = [across](int dlu) { return (dlu * across + 2) / 4; };
            const auto y = [&metrics](int dlu) {
                return (dlu * metrics.height() + 4) / 8;
            };
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, x(120));
            EXPECT_EQ(client.bottom, y(45));
            const POINT origin = winsys::client_origin(dialog);
            const POINT owner = winsys::client_origin(g_owner);
            EXPECT_EQ(origin.x - owner.x, x(22));
            EXPECT_EQ(origin.y - owner.y, y(17));
            RECT field{};
            GetWindowRect(GetDlgItem(dialog, IDC_WIDTH), &field);
            EXPECT_EQ(field.left - origin.x, x(25));
            EXPECT_EQ(field.top - origin.y, y(10));
            EXPECT_EQ(field.right - field.left, x(50));
            EXPECT_EQ(field.bottom - field.top, y(12));
            QTest::keyClick(Focus(), Qt::Key_Return);
        })});
}

} // namespace
