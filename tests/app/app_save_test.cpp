// Saving through the real save dialog: the format by the type entry, the
// files against what the strokes define, the overwrite question, Cancel,
// and every failure told with the drawing and an existing file intact.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "canvas/canvas.h"
#include "export/write_result.h"
#include "res/resource.h"
#include "tests/app/person.h"

using namespace person;

// Draws a few strokes with both buttons and records them in `expected`.
static void draw_something(Script &script,
                           std::shared_ptr<ExpectedCanvas> expected)
{
    script.then("drawing", [expected] {
        const std::vector<QPoint> left = {{5, 5}, {60, 40}, {30, 70}};
        const std::vector<QPoint> right = {{20, 0}, {20, 60}};
        drag(Qt::LeftButton, left);
        drag(Qt::RightButton, right);
        expected->drag(left, 3, BLACK);
        expected->drag(right, 3, WHITE);
    });
}

static QComboBox *type_list()
{
    return save_dialog()->findChild<QComboBox *>("fileTypeCombo");
}

static QLineEdit *name_field()
{
    return save_dialog()->findChild<QLineEdit *>("fileNameEdit");
}

// The dialog's default button, Save.
static QPushButton *save_button()
{
    for (QPushButton *button : save_dialog()->findChildren<QPushButton *>())
        if (button->isDefault())
            return button;
    return nullptr;
}

// File › Save, then in the dialog: the type entry (1-based, by the keyboard
// on the type list), the name (typed), then Save. The dialog starts in the
// current folder, which each test sets to a folder of its own.
static void save_as(Script &script, int entry, const QString &name)
{
    choose_menu(script, {"ファイル(&F)", "保存(&S)"});
    script.then(
        "the save dialog", [] { return save_dialog() != nullptr; },
        [=] {
            ASSERT_NE(type_list(), nullptr);
            ASSERT_NE(name_field(), nullptr);
            // Every save starts at the first entry with an empty name.
            EXPECT_EQ(type_list()->currentIndex(), 0);
            EXPECT_EQ(name_field()->text(), "");
            std::vector<std::string> labels;
            for (int i = 0; i < type_list()->count(); ++i)
                labels.push_back(type_list()->itemText(i).toStdString());
            EXPECT_EQ(labels,
                      (std::vector<std::string>{
                          "24ビット ビットマップファイル (*.bmp)",
                          "Jpegファイル (*.jpg)", "すべてのファイル (*.*)"}));
            for (int i = 1; i < entry; ++i)
                press_key(type_list(), Qt::Key_Down);
            type_into(name_field(), name);
            click(save_button());
        });
}

// A folder of the test's own, the current one while the test runs.
class WorkFolder {
public:
    WorkFolder() : previous_(QDir::currentPath())
    {
        QDir::setCurrent(folder_.path());
    }
    ~WorkFolder()
    {
        QDir::setCurrent(previous_);
    }
    QString path() const
    {
        return folder_.path();
    }

private:
    QTemporaryDir folder_;
    QString previous_;
};

static void wait_dialog_gone(Script &script)
{
    script.then(
        "the save dialog gone", [] { return save_dialog() == nullptr; },
        nullptr);
}

static QByteArray read_file(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The BMP file that the image's pixels define.
static QByteArray bmp_of(const QImage &image)
{
    const int width = image.width(), height = image.height();
    const int rowbytes = (3 * width + 3) / 4 * 4;
    QByteArray file(54 + rowbytes * height, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, quint32(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    file[26] = 1;
    file[28] = 24; // the rest of the header stays 0
    for (int r = 0; r < height; ++r)
        for (int x = 0; x < width; ++x) {
            QRgb p = image.pixel(x, height - 1 - r);
            int at = 54 + r * rowbytes + 3 * x;
            file[at] = char(qBlue(p));
            file[at + 1] = char(qGreen(p));
            file[at + 2] = char(qRed(p));
        }
    return file;
}

// What `cjpeg -quality 80` makes of the image's pixels.
static QByteArray cjpeg_of(const QImage &image, const QString &folder)
{
    QString ppm = folder + "/expected.ppm";
    QFile file(ppm);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("P6\n%1 %2\n255\n")
                   .arg(image.width())
                   .arg(image.height())
                   .toLatin1());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb p = image.pixel(x, y);
            const char rgb[3] = {char(qRed(p)), char(qGreen(p)),
                                 char(qBlue(p))};
            file.write(rgb, 3);
        }
    file.close();
    QProcess cjpeg;
    cjpeg.start("cjpeg", {"-quality", "80", ppm});
    EXPECT_TRUE(cjpeg.waitForFinished(30000));
    return cjpeg.readAllStandardOutput();
}

TEST(AppSave, TheTypeEntryAloneDecidesTheFormat)
{
    WorkFolder folder;
    const QString dir = folder.path();
    auto expected = std::make_shared<ExpectedCanvas>(90, 80);
    Script script;
    answer_size(script, 90, 80);
    draw_something(script, expected);
    save_as(script, 1, "first.jpg");
    wait_dialog_gone(script);
    save_as(script, 2, "second.bmp");
    wait_dialog_gone(script);
    save_as(script, 3, "third.png");
    wait_dialog_gone(script);
    save_as(script, 2, "typed-without-extension");
    wait_dialog_gone(script);
    save_as(script, 1, "again.bmp");
    wait_dialog_gone(script);
    script.then("leaving", [] { close_window(main_window()); });
    EXPECT_EQ(script.run(), 0);

    const QByteArray bmp = bmp_of(expected->image());
    const QByteArray jpeg = cjpeg_of(expected->image(), dir);
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_TRUE(read_file(dir + "/first.jpg") == bmp)
        << "a .jpg name, the BMP entry";
    EXPECT_TRUE(read_file(dir + "/second.bmp") == jpeg)
        << "a .bmp name, the JPEG entry";
    EXPECT_TRUE(read_file(dir + "/third.png") == bmp) << "all files: BMP";
    EXPECT_TRUE(read_file(dir + "/typed-without-extension.jpg") == jpeg);
    EXPECT_TRUE(read_file(dir + "/again.bmp") == read_file(dir + "/first.jpg"))
        << "two saves without drawing in between";
}

TEST(AppSave, ReplacingAFileAsksFirstAndCancelSavesNothing)
{
    WorkFolder folder;
    const QString target = folder.path() + "/there.bmp";
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old content");
    }
    auto expected = std::make_shared<ExpectedCanvas>(70, 70);
    Script script;
    answer_size(script, 70, 70);
    draw_something(script, expected);
    save_as(script, 1, "there.bmp");
    script.then(
        "the question, answered No", [] { return message_box() != nullptr; },
        [] { message_box()->button(QMessageBox::No)->click(); });
    script.then(
        "the dialog still open; Cancel",
        [] { return message_box() == nullptr && save_dialog() != nullptr; },
        [] { press_key(name_field(), Qt::Key_Escape); });
    wait_dialog_gone(script);
    script.then("nothing saved", [&] {
        EXPECT_EQ(read_file(target), QByteArray("old content"));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    });
    save_as(script, 1, "there.bmp");
    script.then(
        "the question, answered Yes", [] { return message_box() != nullptr; },
        [] { message_box()->button(QMessageBox::Yes)->click(); });
    wait_dialog_gone(script);
    script.then("leaving", [] { close_window(main_window()); });
    EXPECT_EQ(script.run(), 0);
    EXPECT_TRUE(read_file(target) == bmp_of(expected->image()));
}

// Waits for the failure message, checks that it names the file and the
// reason, dismisses it, and checks the drawing is still shown.
static void expect_failure(Script &script, const QString &file,
                           WriteFailure reason,
                           std::shared_ptr<ExpectedCanvas> expected)
{
    script.then(
        "the failure message", [] { return message_box() != nullptr; },
        [=] {
            QMessageBox *box = message_box();
            EXPECT_EQ(box->windowTitle(), "保存できません");
            EXPECT_TRUE(box->text().contains(file))
                << box->text().toStdString();
            EXPECT_TRUE(box->text().contains(
                QString::fromUtf8(write_failure_text(reason))))
                << box->text().toStdString();
            press_key(box, Qt::Key_Return);
        });
    script.then(
        "the drawing intact", [] { return message_box() == nullptr; },
        [=] {
            EXPECT_EQ(first_difference(shown_client(), expected->image()), "");
        });
}

TEST(AppSave, FailuresAreToldAndLeaveTheDrawingAndTheFileIntact)
{
    WorkFolder folder;
    const QString dir = folder.path();
    const QString kept = dir + "/kept.bmp";
    {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old content");
    }
    const QString missing = dir + "/no such folder/picture.bmp";
    auto expected = std::make_shared<ExpectedCanvas>(400, 300);
    Script script;
    answer_size(script, 400, 300);
    draw_something(script, expected);

    save_as(script, 1, "no such folder/picture.bmp");
    expect_failure(script, missing, WRITE_FOLDER_NOT_FOUND, expected);

    // A disk that fills up: files may grow to 64 KiB only.
    script.then("a full disk", [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = {65536, RLIM_INFINITY};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    });
    save_as(script, 1, "kept.bmp");
    script.then(
        "replacing: Yes", [] { return message_box() != nullptr; },
        [] { message_box()->button(QMessageBox::Yes)->click(); });
    expect_failure(script, kept, WRITE_DISK_FULL, expected);
    script.then("the disk back", [] {
        rlimit limit = {RLIM_INFINITY, RLIM_INFINITY};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    });

    // A path longer than the 260-character buffer: told, then asked again.
    save_as(script, 1, QString(250, 'n') + ".bmp");
    script.then(
        "the path too long", [] { return message_box() != nullptr; },
        [] {
            EXPECT_EQ(message_box()->windowTitle(), "保存できません");
            press_key(message_box(), Qt::Key_Return);
        });
    script.then(
        "the dialog again",
        [] { return message_box() == nullptr && save_dialog() != nullptr; },
        [] { press_key(name_field(), Qt::Key_Escape); });
    wait_dialog_gone(script);
    script.then("leaving", [] { close_window(main_window()); });
    EXPECT_EQ(script.run(), 0);

    EXPECT_EQ(read_file(kept), QByteArray("old content"));
    EXPECT_EQ(
        QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList{"kept.bmp"});
}

TEST(AppSave, AJpegOfACanvasWithoutPixelsIsToldAndCreatesNothing)
{
    WorkFolder folder;
    const QString target = folder.path() + "/empty.jpg";
    auto expected = std::make_shared<ExpectedCanvas>(400, 0);
    Script script;
    answer_size(script, 400, 0);
    save_as(script, 2, "empty.jpg");
    expect_failure(script, target, WRITE_NO_PIXELS, expected);
    script.then("leaving", [] { close_window(main_window()); });
    EXPECT_EQ(script.run(), 0);
    EXPECT_FALSE(QFile::exists(target));
}

// One pixel of a 24-bit bottom-up BMP file, read where it lies.
static QRgb bmp_pixel(QFile &file, QSize size, QPoint at)
{
    const qint64 row = (3 * qint64(size.width()) + 3) / 4 * 4;
    unsigned char bgr[3] = {};
    file.seek(54 + (size.height() - 1 - at.y()) * row + 3 * qint64(at.x()));
    file.read(reinterpret_cast<char *>(bgr), 3);
    return qRgb(bgr[2], bgr[1], bgr[0]);
}

// Rows [top, top + count) of a JPEG file, decoded only as far as needed.
static QImage jpeg_rows(const QString &path, int top, int count)
{
    QImageReader reader(path);
    reader.setClipRect(QRect(0, top, reader.size().width(), count));
    return reader.read();
}

// A canvas at the size limits: a stroke that starts on screen and goes on,
// the pointer captured, to near the far corner; then both formats. Each file
// holds the canvas's size, the stroke at both ends and white around.
static void draw_to_the_far_corner_and_save(QSize size)
{
    WorkFolder folder;
    const QPoint start(100, 100);
    const QPoint end(size.width() - 5, size.height() - 5);
    Script script;
    answer_size(script, size.width(), size.height());
    script.then("drawing", [=] { drag(Qt::LeftButton, {start, end}); });
    settle(script, "drawn");
    save_as(script, 1, "large.bmp");
    wait_dialog_gone(script);
    save_as(script, 2, "large.jpg");
    wait_dialog_gone(script);
    script.then("leaving", [] { close_window(main_window()); });
    EXPECT_EQ(script.run(600000), 0);
    // The program keeps its canvas until the process ends; the next test
    // makes its own.
    DeleteObject(g_canvas.bitmap);
    DeleteDC(g_canvas.dc);

    const QPoint corner(size.width() - 1, size.height() - 1);
    const QPoint black[] = {start, end};
    const QPoint white[] = {corner, QPoint(corner.x(), 0),
                            QPoint(0, corner.y())};
    QFile bmp(folder.path() + "/large.bmp");
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.size(),
              54 + (3 * qint64(size.width()) + 3) / 4 * 4 * size.height());
    for (QPoint at : black)
        EXPECT_EQ(bmp_pixel(bmp, size, at), qRgb(0, 0, 0))
            << at.x() << ", " << at.y();
    for (QPoint at : white)
        EXPECT_EQ(bmp_pixel(bmp, size, at), qRgb(255, 255, 255))
            << at.x() << ", " << at.y();

    // The JPEG, lossy: dark inside the squares, white far from them.
    const QString jpeg = folder.path() + "/large.jpg";
    EXPECT_EQ(QImageReader(jpeg).size(), size);
    const QImage top = jpeg_rows(jpeg, 0, start.y());
    const QImage bottom =
        jpeg_rows(jpeg, end.y() - 2, size.height() - end.y() + 2);
    ASSERT_FALSE(top.isNull() || bottom.isNull());
    EXPECT_LT(qGray(top.pixel(start - QPoint(1, 2))), 64);
    EXPECT_LT(qGray(bottom.pixel(end.x() - 2, 0)), 64);
    EXPECT_GT(qGray(top.pixel(corner.x(), 0)), 192);
    EXPECT_GT(qGray(bottom.pixel(0, bottom.height() - 1)), 192);
}

TEST(AppSave, TheWidestCanvasIsDrawnToTheFarCornerAndSaved)
{
    draw_to_the_far_corner_and_save(QSize(32767, 16383));
}

TEST(AppSave, TheLargestSquareCanvasIsDrawnToTheFarCornerAndSaved)
{
    draw_to_the_far_corner_and_save(QSize(23170, 23170));
}
