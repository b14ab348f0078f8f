// Saving through the real save dialog: the writer that the type entry
// names whatever the name says, a failure told to the person, and the
// largest canvases drawn to their far corner and saved.
#include <QComboBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/app/screen.h"

using namespace app_test;

// File › Save once nothing else is open, then in the dialog: the type list
// showing the program's labels, the type entry (1-based, by the keyboard),
// the name typed, Save; then, when `file` is given, waiting until it is
// written. The dialog starts in the current folder.
static void save(Steps &steps, int entry, const QString &name,
                 const QString &file = {})
{
    steps.push_back(when(
        [] {
            return main_client() != nullptr && !OpenWindow<QFileDialog>() &&
                   !OpenWindow<QMessageBox>();
        },
        [] { PostMessageA(main_hwnd(), WM_COMMAND, IDM_SAVE, 0); }));
    steps.push_back(
        when([] { return OpenWindow<QFileDialog>() != nullptr; },
             [=] {
                 auto *dialog = OpenWindow<QFileDialog>();
                 auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
                 QStringList labels;
                 for (int i = 0; i < types->count(); ++i)
                     labels << types->itemText(i);
                 EXPECT_EQ(labels.join(" | "),
                           "24ビット ビットマップファイル (*.bmp) | "
                           "Jpegファイル (*.jpg) | すべてのファイル (*.*)");
                 for (int i = 1; i < entry; ++i)
                     QTest::keyClick(types, Qt::Key_Down);
                 QTest::keyClicks(
                     dialog->findChild<QLineEdit *>("fileNameEdit"), name);
                 // After the step: a question runs a modal loop for the next.
                 for (auto *button : dialog->findChildren<QPushButton *>())
                     if (button->isDefault())
                         QTimer::singleShot(0, button, [button] {
                             QTest::mouseClick(button, Qt::LeftButton);
                         });
             }));
    if (!file.isEmpty())
        steps.push_back(when([=] { return QFile::exists(file); }, [] {}));
}

// Each file is in the format that its type entry names; a name without an
// extension takes the entry's (the default for "*.*"). A folder that does
// not exist is told, with the file's name. The longest path that the
// program's buffer of MAX_PATH holds with its zero is saved; one character
// more is told and asked for again.
TEST(AppSave, TheTypeEntryAloneChoosesTheWriterAndFailuresAreTold)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    const int room = MAX_PATH - 2 - QFile::encodeName(folder.path()).size();
    const QString longest = QString(room - 4, u'n') + ".bmp";
    const char *const bmp = "BM", *const jpeg = "\xFF\xD8";
    const struct {
        int entry;
        QString typed, file;
        const char *magic;
    } saves[] = {{1, "a.jpg", "a.jpg", bmp},
                 {2, "b.bmp", "b.bmp", jpeg},
                 {3, "c", "c.bmp", bmp},
                 {2, "d", "d.jpg", jpeg},
                 {1, longest, longest, bmp}};
    Steps steps = {answer("40", "30")};
    for (const auto &s : saves)
        save(steps, s.entry, s.typed, folder.filePath(s.file));
    // A file already there is replaced only once the person says Yes; No
    // leaves it as it was, in the dialog.
    const QString old = folder.filePath("e.bmp");
    std::ofstream(old.toStdString()) << "old";
    const auto asked = [] { return OpenWindow<QMessageBox>() != nullptr; };
    const auto reply = [=](QMessageBox::StandardButton button) {
        return when(asked, [=] {
            EXPECT_EQ(QFileInfo(old).size(), 3);
            QTest::mouseClick(OpenWindow<QMessageBox>()->button(button),
                              Qt::LeftButton);
        });
    };
    const Step cancel = when(
        [=] { return !asked() && OpenWindow<QFileDialog>(); },
        [] { QTest::keyClick(OpenWindow<QFileDialog>(), Qt::Key_Escape); });
    save(steps, 1, "e.bmp");
    steps.insert(steps.end(), {reply(QMessageBox::No), cancel});
    save(steps, 1, "e.bmp");
    steps.push_back(reply(QMessageBox::Yes));
    save(steps, 1, "no such folder/x.bmp");
    steps.push_back(told("保存できません: ファイル「" +
                         folder.filePath("no such folder/x.bmp") +
                         "」を保存できませんでした。\n"
                         "保存先のフォルダーが見つかりません。"));
    save(steps, 1, QString(room - 3, u'm') + ".bmp");
    steps.push_back(told("保存できません: 選んだファイルのパスが長すぎます。"
                         "259文字以内に収まる名前を選び直して下さい"));
    steps.push_back(cancel);
    steps.push_back(close_main_window());
    EXPECT_EQ(run_program(std::move(steps)), 0);
    EXPECT_EQ(QFileInfo(old).size(), 54 + 40 * 3 * 30);
    for (const auto &s : saves) {
        QFile file(folder.filePath(s.file));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(2) == s.magic)
            << s.file.toStdString();
    }
}

// The largest canvases (2 GiB of pixels): a stroke to near the far corner,
// the BMP file of the whole canvas (`row` bytes a row, the last first) and
// the JPEG file of its size (its rows' order and colours are the journey's).
TEST(AppSave, TheLargestCanvasesAreDrawnToTheFarCornerAndSaved)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    for (auto [width, height, row] :
         {std::tuple<int, int, qint64>{32767, 16383, 98304},
          {23170, 23170, 69512}}) {
        const QString name = folder.filePath(QString::number(width));
        const int x = width - 5, y = height - 5;
        Steps steps = {
            answer(QString::number(width), QString::number(height)),
            on_main_window([] { send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100); }),
            when([] { return canvas_pixel(100, 100) == 0; },
                 [=] {
                     send(WM_MOUSEMOVE, MK_LBUTTON, x, y);
                     send(WM_LBUTTONUP, 0, x, y);
                 })};
        save(steps, 1, QFileInfo(name).fileName() + ".bmp", name + ".bmp");
        save(steps, 2, QFileInfo(name).fileName() + ".jpg", name + ".jpg");
        steps.push_back(close_main_window());
        EXPECT_EQ(run_program(std::move(steps)), 0);
        QFile bmp(name + ".bmp");
        ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
        EXPECT_EQ(bmp.size(), 54 + row * height);
        const auto bgr_at = [&](int px, int py) {
            bmp.seek(54 + (height - 1 - py) * row + 3 * px);
            return bmp.read(3);
        };
        EXPECT_EQ(bgr_at(x, y), QByteArray(3, 0)) << width;
        EXPECT_EQ(bgr_at(width - 1, 0), "\xFF\xFF\xFF") << width;
        bmp.remove();
        EXPECT_EQ(QImageReader(name + ".jpg").size(), QSize(width, height));
        QFile::remove(name + ".jpg");
    }
}
