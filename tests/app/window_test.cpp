// The main window: never larger than the canvas, its scroll bars showing
// what is hidden, each pen command's effect on its pen and on the greying
// of Enlarge and Shrink, and the Help menu.
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/online_help.h"
#include "canvas/pen.h"
#include "platform/gdi/objects.h"
#include "platform/winsys/dialog_support.h"
#include "res/resource.h"
#include "tests/app/screen.h"

using namespace app_test;
using scribblet::winsys::takes_input;

TEST(AppWindow, NeverLargerThanTheCanvasAndItsBarsShowWhatIsHidden)
{
    // The change asked for (against the window of the whole canvas), the
    // client area that follows and the bars enabled; maximised last, when
    // the client area must be the canvas again, after a larger desktop font
    // has made the menu bar taller (the program measures its frame again).
    // (A border dragged past the canvas stops there in the openbox journey.)
    const struct {
        QSize change, client;
        Qt::Orientations bars;
    } cases[] = {{{-50, -40}, {350, 260}, Qt::Horizontal | Qt::Vertical},
                 {{-50, 0}, {350, 300}, Qt::Horizontal},
                 {{}, {400, 300}, {}}};
    auto full = std::make_shared<QSize>();
    Steps steps = {answer("400", "300"),
                   on_main_window([=] { *full = main_window()->size(); })};
    const QFont font = QApplication::font();
    for (const auto &c : cases) {
        if (c.change == QSize())
            steps.push_back(on_main_window([font] {
                QFont larger = font;
                larger.setPointSizeF(font.pointSizeF() * 2);
                QApplication::setFont(larger);
            }));
        steps.push_back(on_main_window([=] {
            if (c.change != QSize())
                main_window()->resize(*full + c.change);
            else
                main_window()->showMaximized();
        }));
        steps.push_back(when(
            [=] { return client_size() == c.client; },
            [=] {
                Qt::Orientations enabled;
                for (QScrollBar *bar :
                     main_window()->findChildren<QScrollBar *>())
                    if (bar->isEnabled())
                        enabled |= bar->orientation();
                EXPECT_EQ(enabled.toInt(), c.bars.toInt()) << c.change.width();
            }));
    }
    steps.push_back(close_main_window());
    EXPECT_EQ(run_program(std::move(steps)), 0);
    QApplication::setFont(font);
}

// As the menu shows the item.
static bool greyed(UINT id)
{
    const auto *item = main_window()->findChild<QAction *>(QString::number(id));
    EXPECT_NE(item, nullptr) << id;
    return item == nullptr || !item->isEnabled();
}

// Each colour command and preset: the command in, the state of the pen it
// names out (the presets first, each pen in its start colour), the brush it
// replaced deleted. Enlarge is greyed at 30 and Shrink at 1, nowhere else; a
// preset leaves the greying as it was.
static void expect_pen_commands()
{
    PenTool *const L = &g_left_pen, *const R = &g_right_pen;
    const struct {
        UINT id;
        const PenTool *pen;
        COLORREF colour;
        LONG size;
    } rows[] = {
        {IDM_LEFT_SIZE5, L, 0x000000, 5},  {IDM_LEFT_SIZE1, L, 0x000000, 1},
        {IDM_LEFT_SIZE3, L, 0x000000, 3},  {IDM_LEFT_RED, L, 0x0000FF, 3},
        {IDM_LEFT_GREEN, L, 0x00FF00, 3},  {IDM_LEFT_BLUE, L, 0xFF0000, 3},
        {IDM_LEFT_WHITE, L, 0xFFFFFF, 3},  {IDM_LEFT_BLACK, L, 0x000000, 3},
        {IDM_RIGHT_SIZE1, R, 0xFFFFFF, 1}, {IDM_RIGHT_SIZE5, R, 0xFFFFFF, 5},
        {IDM_RIGHT_SIZE3, R, 0xFFFFFF, 3}, {IDM_RIGHT_BLUE, R, 0xFF0000, 3},
        {IDM_RIGHT_RED, R, 0x0000FF, 3},   {IDM_RIGHT_BLACK, R, 0x000000, 3},
        {IDM_RIGHT_GREEN, R, 0x00FF00, 3}, {IDM_RIGHT_WHITE, R, 0xFFFFFF, 3},
    };
    const auto &brushes = scribblet::gdi::objects().brushes;
    for (const auto &row : rows) {
        const HBRUSH before = row.pen->brush;
        send(WM_COMMAND, row.id);
        const auto *brush = brushes.lookup(row.pen->brush);
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(brush->colour, row.colour) << "command " << row.id;
        EXPECT_EQ(row.pen->size, row.size) << "command " << row.id;
        EXPECT_TRUE(before == row.pen->brush || !brushes.lookup(before))
            << "the old brush is gone";
    }
    // Once more at each limit: the size stays there.
    for (LONG size = 4; size <= 31; ++size) {
        send(WM_COMMAND, IDM_LEFT_ENLARGE);
        EXPECT_EQ(greyed(IDM_LEFT_ENLARGE), size >= 30) << size;
    }
    for (LONG size = 2; size >= 0; --size) {
        send(WM_COMMAND, IDM_RIGHT_SHRINK);
        EXPECT_EQ(greyed(IDM_RIGHT_SHRINK), size <= 1) << size;
    }
    EXPECT_EQ(g_left_pen.size, 30);
    EXPECT_EQ(g_right_pen.size, 1);
    send(WM_COMMAND, IDM_RIGHT_SIZE5);
    EXPECT_TRUE(greyed(IDM_RIGHT_SHRINK)) << "after a preset";
    send(WM_COMMAND, IDM_RIGHT_ENLARGE);
    send(WM_COMMAND, IDM_LEFT_SHRINK);
    for (UINT id : {IDM_LEFT_ENLARGE, IDM_LEFT_SHRINK, IDM_RIGHT_ENLARGE,
                    IDM_RIGHT_SHRINK})
        EXPECT_FALSE(greyed(id)) << id;
}

// Then each button's press, moves and release reach its own pen alone:
// after a right click, a left drag draws to its end.
TEST(AppWindow, EachPenCommandSetsItsOwnPenAndGreysAtTheLimits)
{
    Steps steps = {answer("100", "100"), on_main_window([] {
                       expect_pen_commands();
                       send(WM_COMMAND, IDM_RIGHT_BLUE);
                       send(WM_RBUTTONDOWN, MK_RBUTTON, 10, 10);
                   }),
                   when([] { return canvas_pixel(10, 10) == 0x0000FF; },
                        [] {
                            send(WM_RBUTTONUP, 0, 10, 10);
                            send(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
                        }),
                   when([] { return canvas_pixel(50, 50) == 0x000000; },
                        [] {
                            send(WM_MOUSEMOVE, MK_LBUTTON, 70, 50);
                            send(WM_LBUTTONUP, 0, 70, 50);
                            EXPECT_EQ(canvas_pixel(70, 50), 0x000000u);
                        }),
                   close_main_window()};
    EXPECT_EQ(run_program(std::move(steps)), 0);
}

// Keeps the addresses handed to the browser instead of starting one.
class Browser : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl &url)
    {
        opened.append(url.toString());
    }
};

// Alt+? opens the About box, which keeps the main window from input until
// it closes, and whose link opens the IJG's site; online help says so when
// its page is missing, and opens it once it is there.
TEST(AppWindow, HelpOpensTheAboutBoxTheIjgSiteAndOurPage)
{
    Browser browser;
    QDesktopServices::setUrlHandler("http", &browser, "open");
    QDesktopServices::setUrlHandler("file", &browser, "open");
    const QString page =
        QFileInfo(QCoreApplication::applicationDirPath()).path() +
        "/share/scribblet/help/index.html";
    const QString away = page + ".away";
    const auto about = [] { return window_titled("バージョン情報"); };
    Steps steps = {
        answer({}, {}),
        on_main_window(
            [] { QTest::keyClick(main_client(), '?', Qt::AltModifier); }),
        when([=] { return about() != nullptr; },
             [=] {
                 EXPECT_FALSE(takes_input(main_hwnd())) << "while the box runs";
                 QTest::mouseClick(dialog_control(about(), IDC_IJG_LINK),
                                   Qt::LeftButton);
                 QTest::mouseClick(dialog_control(about(), IDOK),
                                   Qt::LeftButton);
             }),
        when([=] { return about() == nullptr && QFile::rename(page, away); },
             [] {
                 EXPECT_TRUE(takes_input(main_hwnd()));
                 PostMessageA(main_hwnd(), WM_COMMAND, IDM_ONLINE_HELP, 0);
             }),
        told("オンラインヘルプ: ヘルプページが見つかりません。\n" + page),
        when([=] { return QFile::rename(away, page); },
             [] { send(WM_COMMAND, IDM_ONLINE_HELP); }),
        close_main_window()};
    EXPECT_EQ(run_program(std::move(steps)), 0);
    QFile::rename(away, page);
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(browser.opened.join(' ').toStdString(),
              "http://www.ijg.org/ " +
                  QUrl::fromLocalFile(page).toString().toStdString());
}

// (The page beside the program's folder is the journey's.)
TEST(AppHelpPage, ItsUrlEncodesWhatItMust)
{
    char text[64] = "";
    ASSERT_TRUE(file_url_from_path("C:\\My files\\100%#?絵", text, 64));
    EXPECT_STREQ(text, "file:///C:/My%20files/100%25%23%3F絵");
    EXPECT_TRUE(file_url_from_path("/a b", text, 14));
    EXPECT_FALSE(file_url_from_path("/a b", text, 13)); // no room for the zero
}

#include "window_test.moc"
