// Saving through the real save dialog: the writer that the type entry
// names whatever the name says, a failure told to the person, and the
// largest canvases drawn to their far corner and saved.
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/app/program_run.h"

using namespace app_test;

// File › Save once nothing else is open, then in the dialog: the type entry
// (1-based, by the keyboard on the type list), the name typed, Save. The
// dialog starts in the current folder.
static void save_as(Steps &steps, int entry, const QString &name)
{
    steps.push_back(when(
        [] {
            return main_client() != nullptr && !save_dialog() && !message_box();
        },
        [] { PostMessageA(main_hwnd(), WM_COMMAND, IDM_SAVE, 0); }));
    steps.push_back(when(
        [] { return save_dialog() != nullptr; },
        [=] {
            auto *dialog = save_dialog();
            for (int i = 1; i < entry; ++i)
                QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"),
                                Qt::Key_Down);
            QTest::keyClicks(dialog->findChild<QLineEdit *>("fileNameEdit"),
                             name);
            for (auto *button : dialog->findChildren<QPushButton *>())
                if (button->isDefault())
                    QTest::mouseClick(button, Qt::LeftButton);
        }));
}

// The steps saving `name` by `entry` and waiting for `file` to be written.
static void save(Steps &steps, int entry, const QString &name,
                 const QString &file)
{
    save_as(steps, entry, name);
    steps.push_back(when([=] { return QFile::exists(file); }, [] {}));
}

// Each file is in the format that its type entry names.
TEST(AppSave, TheTypeEntryAloneChoosesTheWriter)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    const char *const bmp = "BM", *const jpeg = "\xFF\xD8";
    const struct {
        int entry;
        QString typed, file;
        const char *magic;
    } saves[] = {{1, "a.jpg", "a.jpg", bmp},
                 {2, "b.bmp", "b.bmp", jpeg},
                 {3, "c.png", "c.png", bmp},
                 {2, "d", "d.jpg", jpeg}};
    Steps steps = {answer("40", "30")};
    for (const auto &s : saves)
        save(steps, s.entry, s.typed, folder.filePath(s.file));
    steps.push_back(close_main_window());
    EXPECT_EQ(run_program(std::move(steps)), 0);
    for (const auto &s : saves) {
        QFile file(folder.filePath(s.file));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(2) == s.magic)
            << s.file.toStdString();
    }
}

// A folder that does not exist is told, with the file's name; a name longer
// than the program's 260-character buffer is told and asked for again.
TEST(AppSave, AFailedSaveIsToldAndNothingIsWritten)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    Steps steps = {answer("40", "30")};
    save_as(steps, 1, "no such folder/x.bmp");
    steps.push_back(told("保存できません: ファイル「" +
                         folder.filePath("no such folder/x.bmp") +
                         "」を保存できませんでした。\n"
                         "保存先のフォルダーが見つかりません。"));
    save_as(steps, 1, QString(250, 'n') + ".bmp");
    steps.push_back(told("保存できません: 選んだファイルのパスが長すぎます。"
                         "259文字以内に収まる名前を選び直して下さい"));
    steps.push_back(
        when([] { return save_dialog() != nullptr; },
             [] { QTest::keyClick(save_dialog(), Qt::Key_Escape); }));
    steps.push_back(close_main_window());
    EXPECT_EQ(run_program(std::move(steps)), 0);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// The largest canvases (2 GiB of pixels): a stroke from (100, 100) to near
// the far corner, and the BMP file of the whole canvas.
TEST(AppSave, TheLargestCanvasesAreDrawnToTheFarCornerAndSaved)
{
    const struct {
        int width, height;
        qint64 row; // bytes in a BMP row
    } cases[] = {{32767, 16383, 98304}, {23170, 23170, 69512}};
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    for (const auto &c : cases) {
        const QString name = QString::number(c.width) + ".bmp";
        const int x = c.width - 5, y = c.height - 5;
        Steps steps = {
            answer(QString::number(c.width), QString::number(c.height)),
            on_main_window([] {
                pointer(WM_MOUSEMOVE, 0, 100, 100);
                pointer(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
            }),
            when([] { return canvas_pixel(100, 100) == 0; },
                 [=] {
                     pointer(WM_MOUSEMOVE, MK_LBUTTON, x, y);
                     pointer(WM_LBUTTONUP, 0, x, y);
                 })};
        save(steps, 1, name, folder.filePath(name));
        steps.push_back(close_main_window());
        EXPECT_EQ(run_program(std::move(steps)), 0);
        QFile bmp(folder.filePath(name));
        ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
        EXPECT_EQ(bmp.size(), 54 + c.row * c.height);
        // Blue, green, red of each point, the last row first in the file.
        const std::tuple<int, int, QByteArray> pixels[] = {
            {100, 100, QByteArray(3, 0)},
            {x, y, QByteArray(3, 0)},
            {c.width - 1, c.height - 1, "\xFF\xFF\xFF"},
            {c.width - 1, 0, "\xFF\xFF\xFF"}};
        for (auto [px, py, bgr] : pixels) {
            bmp.seek(54 + (c.height - 1 - py) * c.row + 3 * px);
            EXPECT_EQ(bmp.read(3), bgr)
                << c.width << " x " << c.height << " at " << px << ", " << py;
        }
        bmp.remove();
    }
}
