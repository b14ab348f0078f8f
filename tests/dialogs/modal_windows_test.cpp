// Message boxes, the save dialog and the shell, used as a person uses them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstring>
#include <string>

#include "dialog_test_support.h"

namespace {

using namespace scribblet;
using namespace scribblet::dialogs_test;

// Enter, Escape and the close box all give IDOK; the box is the owner's,
// and the owner is disabled meanwhile.
TEST(DialogsMessageBox, EnterEscapeAndTheCloseBoxAllGiveOk)
{
    OwnerWindow owner;
    for (const int key : {static_cast<int>(Qt::Key_Return),
                          static_cast<int>(Qt::Key_Escape), 0}) {
        UserScript script({[&owner, key] {
            auto *box = OpenWindow<QMessageBox>();
            if (box == nullptr)
                return false;
            EXPECT_EQ(box->text(), QStringLiteral("保存できませんでした"));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("保存"));
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->windowHandle()->transientParent(),
                      TopLevelWidget(owner.hwnd())->windowHandle());
            EXPECT_FALSE(winsys::is_window_enabled(owner.hwnd()));
            if (key != 0)
                QTest::keyClick(box, static_cast<Qt::Key>(key));
            else
                box->close();
            return true;
        }});
        EXPECT_EQ(
            MessageBoxA(owner.hwnd(), "保存できませんでした", "保存", MB_OK),
            IDOK);
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(winsys::is_window_enabled(owner.hwnd()));
    }
}

// --- The save dialog -------------------------------------------------------

constexpr char kThreeTypes[] = "24ビット ビットマップファイル (*.bmp)\0*.bmp\0"
                               "Jpegファイル (*.jpg)\0*.jpg\0"
                               "すべてのファイル (*.*)\0*.*\0";

class DialogsSaveDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        ofn_.lStructSize = sizeof ofn_;
        ofn_.hwndOwner = owner_.hwnd();
        ofn_.lpstrFilter = kThreeTypes;
        ofn_.nFilterIndex = 1;
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = MAX_PATH;
        ofn_.Flags = OFN_OVERWRITEPROMPT;
        ofn_.lpstrDefExt = ".bmp";
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
    }

    void TearDown() override
    {
        QDir::setCurrent(previousFolder_);
    }

    std::string Path(const char *name) const
    {
        return QFile::encodeName(folder_.filePath(QString::fromUtf8(name)))
            .toStdString();
    }

    QTemporaryDir folder_;
    QString previousFolder_;
    OwnerWindow owner_;
    char file_[MAX_PATH] = {};
    OPENFILENAMEA ofn_{};
};

QLineEdit *NameField(QFileDialog *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

QComboBox *TypeList(QFileDialog *dialog)
{
    return dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
}

// Goes to the test's folder (the current one), picks the type entry with
// the keyboard and types the name, as a person does, then presses Enter. A
// question may open from Enter, so Enter comes from its own timer and the
// script goes on.
UserScript::Step Save(QString name, int entry)
{
    return [name, entry] {
        auto *dialog = OpenWindow<QFileDialog>();
        if (dialog == nullptr)
            return false;
        dialog->setDirectory(QDir::currentPath());
        for (int i = 1; i < entry; ++i)
            QTest::keyClick(TypeList(dialog), Qt::Key_Down);
        QTest::keyClicks(NameField(dialog), name);
        QTimer::singleShot(0, [dialog] {
            QTest::keyClick(NameField(dialog), Qt::Key_Return);
        });
        return true;
    };
}

// Answers the overwrite question.
UserScript::Step Answer(QMessageBox::StandardButton answer)
{
    return [answer] {
        auto *question = OpenWindow<QMessageBox>();
        if (question == nullptr)
            return false;
        question->button(answer)->click();
        return true;
    };
}

TEST_F(DialogsSaveDialog, OffersTheEntriesInOrderWithTheFirstSelected)
{
    const HWND owner = owner_.hwnd();
    UserScript script({[owner] {
        auto *dialog = OpenWindow<QFileDialog>();
        if (dialog == nullptr)
            return false;
        QComboBox *types = TypeList(dialog);
        EXPECT_EQ(types->count(), 3);
        EXPECT_EQ(types->itemText(0),
                  QStringLiteral("24ビット ビットマップファイル (*.bmp)"));
        EXPECT_EQ(types->itemText(1), QStringLiteral("Jpegファイル (*.jpg)"));
        EXPECT_EQ(types->itemText(2), QStringLiteral("すべてのファイル (*.*)"));
        EXPECT_EQ(types->currentIndex(), 0);
        EXPECT_TRUE(NameField(dialog)->text().isEmpty());
        EXPECT_FALSE(winsys::is_window_enabled(owner));
        QTest::keyClick(NameField(dialog), Qt::Key_Escape);
        return true;
    }});
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(winsys::is_window_enabled(owner));
}

TEST_F(DialogsSaveDialog, ANameWithoutExtensionTakesTheSelectedEntrys)
{
    struct Case {
        const char *typed;
        int entry;
        const char *saved;
    };
    for (const Case &c : {Case{"pic", 2, "pic.jpg"}, Case{"pic", 3, "pic.bmp"},
                          Case{"photo.jpg", 1, "photo.jpg"}}) {
        std::memset(file_, 0, sizeof file_);
        ofn_.nFilterIndex = 1;
        UserScript script({Save(QString::fromUtf8(c.typed), c.entry)});
        ASSERT_TRUE(GetSaveFileNameA(&ofn_)) << c.typed;
        EXPECT_EQ(std::string(file_), Path(c.saved));
        EXPECT_EQ(ofn_.nFilterIndex, static_cast<DWORD>(c.entry));
    }
}

TEST_F(DialogsSaveDialog, ReplacingAFileAsksFirst)
{
    QFile existing(folder_.filePath(QStringLiteral("old.bmp")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    // "No" goes back to the dialog; the second try says "Yes".
    UserScript script(
        {Save(QStringLiteral("old"), 1), Answer(QMessageBox::No),
         [] {
             auto *dialog = OpenWindow<QFileDialog>();
             if (dialog == nullptr || OpenWindow<QMessageBox>() != nullptr)
                 return false;
             NameField(dialog)->clear();
             return true;
         },
         Save(QStringLiteral("old"), 1), Answer(QMessageBox::Yes)});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(std::string(file_), Path("old.bmp"));
}

TEST_F(DialogsSaveDialog, APathLongerThanTheBufferIsRefused)
{
    const std::string folder = Path("x");
    const std::size_t folderLength = folder.size() - 1;
    const std::size_t room = MAX_PATH - 1 - folderLength; // fits exactly
    UserScript script(
        {Save(QString(static_cast<qsizetype>(room) - 4, u'n'), 1),
         Save(QString(static_cast<qsizetype>(room) - 3, u'n'), 1)});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(std::strlen(file_), static_cast<std::size_t>(MAX_PATH - 1));

    std::memset(file_, 0, sizeof file_);
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    EXPECT_TRUE(script.finished());
}

// --- The shell ---------------------------------------------------------------

// Takes the addresses that QDesktopServices would hand to the browser.
class AddressCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url)
    {
        opened << url;
    }
};

TEST(DialogsShell, OpensAddressesThroughTheDesktopsHandler)
{
    AddressCatcher catcher;
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher,
                                        "open");
    const auto result = [](HINSTANCE h) {
        return reinterpret_cast<std::intptr_t>(h);
    };
    EXPECT_GT(result(ShellExecuteA(nullptr, "open", "http://www.ijg.org/",
                                   nullptr, nullptr, SW_SHOW)),
              32);
    // The help page, as the program writes its address: percent-encoded.
    EXPECT_GT(
        result(ShellExecuteA(nullptr, "open",
                             "file:///tmp/%E3%83%98%E3%83%AB%E3%83%97.html",
                             nullptr, nullptr, SW_SHOW)),
        32);
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));

    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("http://www.ijg.org/")));
    EXPECT_EQ(catcher.opened[1],
              QUrl::fromLocalFile(QStringLiteral("/tmp/ヘルプ.html")));
}

} // namespace

#include "modal_windows_test.moc"
