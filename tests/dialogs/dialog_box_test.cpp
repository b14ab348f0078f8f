// The program's canvas-size dialog box and the save dialog, driven as a
// person drives them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_test_support.h"
#include "platform/resources/resource_reader.h"
#include "platform/winsys/dialog_support.h"
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
            EXPECT_FALSE(winsys::takes_input(owner.hwnd()));
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
        RECT gone{};
        EXPECT_FALSE(GetClientRect(g_dialog, &gone)) << "destroyed";
        EXPECT_TRUE(winsys::takes_input(owner.hwnd()));
    }
}

// A name without an extension takes the type entry's (the default for "*.*")
// chosen with the keyboard; a path longer than the buffer is refused.
TEST(DialogsSaveDialog, TheNameTakesTheSelectedEntrysExtensionAndMustFit)
{
    QTemporaryDir folder;
    const std::string path = QFile::encodeName(folder.path()).toStdString();
    const int room = MAX_PATH - 2 - static_cast<int>(path.size());
    OwnerWindow owner;
    const struct {
        QString typed;
        int entry;
        std::string saved; // empty when refused
    } cases[] = {
        {"pic", 2, "pic.jpg"},
        {"pic", 3, "pic.bmp"},
        {QString(room - 4, u'n'), 1, std::string(room - 4, 'n') + ".bmp"},
        {QString(room - 3, u'n'), 1, ""}};
    for (const auto &c : cases) {
        UserScript script({[&c, &folder] {
            auto *dialog = OpenWindow<QFileDialog>();
            if (dialog == nullptr)
                return false;
            dialog->setDirectory(folder.path());
            for (int i = 1; i < c.entry; ++i)
                QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"),
                                Qt::Key_Down);
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            QTest::keyClicks(name, c.typed);
            QTest::keyClick(name, Qt::Key_Return);
            return true;
        }});
        char file[MAX_PATH] = {};
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner.hwnd();
        ofn.lpstrFilter = "24ビット ビットマップファイル (*.bmp)\0*.bmp\0"
                          "Jpegファイル (*.jpg)\0*.jpg\0"
                          "すべてのファイル (*.*)\0*.*\0";
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = ".bmp";
        EXPECT_EQ(GetSaveFileNameA(&ofn), !c.saved.empty()) << c.typed.size();
        EXPECT_EQ(CommDlgExtendedError(),
                  c.saved.empty() ? DWORD{FNERR_BUFFERTOOSMALL} : 0u);
        if (!c.saved.empty()) {
            EXPECT_EQ(std::string(file), path + "/" + c.saved);
            EXPECT_EQ(ofn.nFilterIndex, static_cast<DWORD>(c.entry));
        }
        EXPECT_TRUE(script.finished());
    }
}

} // namespace
