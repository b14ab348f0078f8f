// The main window: drawing with both buttons shows exactly what the stroke
// engine defines, repaints keep it, the size limit, the scroll bars and the
// accelerators.
#include <QDesktopServices>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "app/main_window_test_support.h"
#include "canvas/canvas.h"
#include "res/resource.h"
#include "tests/app/person.h"

using namespace person;

static bool scroll_bars_enabled(Qt::Orientation orientation)
{
    for (QScrollBar *bar : main_window()->findChildren<QScrollBar *>())
        if (bar->orientation() == orientation)
            return bar->isEnabled();
    ADD_FAILURE() << "no scroll bar";
    return false;
}

TEST(AppWindow, BothButtonsDrawExactlyWhatTheStrokeEngineDefines)
{
    auto expected = std::make_shared<ExpectedCanvas>(300, 200);
    const std::vector<QPoint> left = {{20, 20},   {60, 35},   {61, 35},
                                      {120, 150}, {118, 152}, {300, 199}};
    const std::vector<QPoint> right = {{40, 10}, {40, 60}, {10, 110}};
    const std::vector<QPoint> off_canvas = {{250, 5}, {320, -20}, {-30, 190}};
    const std::vector<QPoint> click = {{150, 100}};
    Script script;
    answer_size(script, 300, 200);
    script.then("drawing", [&] {
        drag(Qt::LeftButton, left);
        drag(Qt::RightButton, right);
        drag(Qt::LeftButton, off_canvas);
        drag(Qt::LeftButton, click);
        expected->drag(left, 3, BLACK);
        expected->drag(right, 3, WHITE);
        expected->drag(off_canvas, 3, BLACK);
        expected->drag(click, 3, BLACK);
    });
    settle(script, "painting");
    script.then("reading the window", [&] {
        EXPECT_EQ(first_difference(shown_client(), expected->image()), "");
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

TEST(AppWindow, RepaintsTheDrawingAfterBeingHiddenAndResized)
{
    auto expected = std::make_shared<ExpectedCanvas>(200, 150);
    const std::vector<QPoint> stroke = {{10, 10}, {190, 140}, {20, 130}};
    Script script;
    answer_size(script, 200, 150);
    script.then("drawing", [&] {
        drag(Qt::LeftButton, stroke);
        expected->drag(stroke, 3, BLACK);
    });
    settle(script, "painting");
    auto window = std::make_shared<QWidget *>(nullptr);
    script.then("covering", [window] {
        *window = main_window();
        (*window)->hide();
    });
    settle(script, "covered");
    script.then("uncovering and shrinking", [window] {
        (*window)->show();
        (*window)->resize((*window)->size() - QSize(120, 100));
    });
    settle(script, "shrunk");
    script.then("growing", [] {
        main_window()->resize(main_window()->size() + QSize(120, 100));
    });
    settle(script, "repainted");
    script.then("reading the window", [&] {
        EXPECT_EQ(first_difference(shown_client(), expected->image()), "");
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

TEST(AppWindow, NeverGrowsBeyondTheCanvasAndItsBarsShowWhatIsHidden)
{
    Script script;
    answer_size(script, 400, 300);
    script.then("dragging larger", [] {
        QSize full = main_window()->size();
        main_window()->resize(full + QSize(200, 150));
        EXPECT_EQ(main_window()->size(), full);
        EXPECT_FALSE(scroll_bars_enabled(Qt::Horizontal));
        EXPECT_FALSE(scroll_bars_enabled(Qt::Vertical));
    });
    settle(script, "resized");
    script.then("dragging narrower", [] {
        main_window()->resize(main_window()->size() - QSize(50, 0));
    });
    settle(script, "narrower");
    script.then("the horizontal bar", [] {
        EXPECT_TRUE(scroll_bars_enabled(Qt::Horizontal));
        EXPECT_FALSE(scroll_bars_enabled(Qt::Vertical));
        main_window()->resize(main_window()->size() + QSize(50, -40));
    });
    settle(script, "lower");
    script.then("the vertical bar", [] {
        EXPECT_FALSE(scroll_bars_enabled(Qt::Horizontal));
        EXPECT_TRUE(scroll_bars_enabled(Qt::Vertical));
        MINMAXINFO info = {};
        SendMessageA(main_hwnd(), WM_GETMINMAXINFO, 0, (LPARAM)&info);
        EXPECT_EQ(info.ptMaxSize.x, 400 + g_frame.width);
        EXPECT_EQ(info.ptMaxSize.y, 300 + g_frame.height);
        RECT window;
        RECT client;
        GetWindowRect(main_hwnd(), &window);
        GetClientRect(main_hwnd(), &client);
        EXPECT_EQ(g_frame.width, (window.right - window.left) - client.right);
        main_window()->showMaximized();
    });
    settle(script, "maximised");
    script.then("the maximised window shows the whole canvas", [] {
        EXPECT_EQ(main_client()->size(), QSize(400, 300));
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

// The test's screen is 1600 x 1200 (offscreen-screen.json): a canvas side
// that the screen cannot hold gives the window the screen's side and enables
// that side's bar; a side that fits is shown whole.
TEST(AppWindow, ACanvasLargerThanTheScreenGivesAWindowThatFitsIt)
{
    const QSize cases[] = {{4000, 3000}, {1200, 3000}};
    for (QSize canvas : cases) {
        SCOPED_TRACE(testing::Message()
                     << canvas.width() << " x " << canvas.height());
        Script script;
        answer_size(script, canvas.width(), canvas.height());
        settle(script, "shown");
        script.then("the window", [canvas] {
            const QSize screen = main_window()->screen()->geometry().size();
            ASSERT_EQ(screen, QSize(1600, 1200)) << "the test's screen";
            RECT window;
            GetWindowRect(main_hwnd(), &window);
            const bool wide = canvas.width() > screen.width();
            EXPECT_EQ(main_window()->width(), window.right - window.left);
            if (wide) {
                EXPECT_EQ(window.right - window.left, screen.width());
            } else {
                EXPECT_EQ(main_client()->width(), canvas.width());
            }
            EXPECT_EQ(window.bottom - window.top, screen.height());
            EXPECT_EQ(scroll_bars_enabled(Qt::Horizontal), wide);
            EXPECT_TRUE(scroll_bars_enabled(Qt::Vertical));
            close_window(main_window());
        });
        EXPECT_EQ(script.run(), 0);
    }
}

TEST(AppWindow, AltWithQuestionMarkOrSlashOpensTheAboutBox)
{
    Script script;
    answer_size(script, 400, 300);
    for (char c : {'?', '/'}) {
        script.then(std::string("Alt+") + c, [=] {
            QTest::keyClick(main_client(), c, Qt::AltModifier);
        });
        script.then(
            std::string("the About box from Alt+") + c,
            [] { return about_box() != nullptr; },
            [] { press_key(about_box(), Qt::Key_Escape); });
        script.then(
            "the About box gone", [] { return about_box() == nullptr; },
            nullptr);
    }
    script.then("? and / without Alt", [] {
        QTest::keyClick(main_client(), '?');
        QTest::keyClick(main_client(), '/');
    });
    settle(script, "nothing opens");
    script.then("no About box", [] {
        EXPECT_EQ(about_box(), nullptr);
        close_window(main_window());
    });
    EXPECT_EQ(script.run(), 0);
}

// Records the addresses handed to the browser instead of starting one.
class AddressRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl &url)
    {
        opened.push_back(url);
    }
};

TEST(AppWindow, TheAboutBoxClosesEveryWayAndOpensTheIjgSite)
{
    AddressRecorder recorder;
    QDesktopServices::setUrlHandler("http", &recorder, "open");
    Script script;
    answer_size(script, 400, 300);
    const std::vector<std::function<void()>> closers = {
        [] { click(dialog_control(about_box(), IDOK)); },
        [] { press_key(about_box(), Qt::Key_Return); },
        [] { press_key(about_box(), Qt::Key_Escape); },
        [] { close_window(about_box()); },
    };
    for (const auto &close : closers) {
        choose_menu(script, {"ヘルプ(&H)", "バージョン情報(&A)..."});
        script.then(
            "the About box", [] { return about_box() != nullptr; }, close);
        script.then(
            "the About box gone", [] { return about_box() == nullptr; },
            nullptr);
    }
    choose_menu(script, {"ヘルプ(&H)", "バージョン情報(&A)..."});
    script.then(
        "the About box", [] { return about_box() != nullptr; },
        [] { click(dialog_control(about_box(), IDC_IJG_LINK)); });
    settle(script, "the link");
    script.then("the site opened, the box still there", [&] {
        ASSERT_EQ(recorder.opened.size(), 1u);
        EXPECT_EQ(recorder.opened.back(), QUrl("http://www.ijg.org/"));
        ASSERT_NE(about_box(), nullptr);
        press_key(about_box(), Qt::Key_Escape);
    });
    script.then(
        "the About box gone", [] { return about_box() == nullptr; }, nullptr);
    script.then("leaving", [] { close_window(main_window()); });
    EXPECT_EQ(script.run(), 0);
    QDesktopServices::unsetUrlHandler("http");
}

TEST(AppWindow, OnlineHelpOpensOurOwnPage)
{
    AddressRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    Script script;
    answer_size(script, 400, 300);
    choose_menu(script, {"ヘルプ(&H)", "オンラインヘルプ(&O)"});
    script.then(
        "the page opened", [&] { return !recorder.opened.empty(); },
        [&] {
            QUrl url = recorder.opened.back();
            ASSERT_TRUE(url.isLocalFile()) << url.toString().toStdString();
            QFile page(url.toLocalFile());
            ASSERT_TRUE(page.open(QIODevice::ReadOnly))
                << url.toString().toStdString();
            EXPECT_TRUE(
                QString::fromUtf8(page.readAll()).contains("Scribblet ヘルプ"));
            close_window(main_window());
        });
    EXPECT_EQ(script.run(), 0);
    QDesktopServices::unsetUrlHandler("file");
}

#include "app_window_test.moc"
