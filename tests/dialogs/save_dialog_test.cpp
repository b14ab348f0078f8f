// The save dialog, used as a person uses it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_test_support.h"

namespace {

using namespace scribblet::dialogs_test;

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
