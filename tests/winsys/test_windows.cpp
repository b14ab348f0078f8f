// Creating, sizing, closing and destroying windows; their frame, scroll
// bars, menu and size limit.
#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

#include "platform/winsys/window_system.h"
#include "res/resource.h"
#include "winsys_fixture.h"

using namespace winsys_test;
using scribblet::winsys::is_window;

namespace {

struct Frame {
    LONG width;
    LONG height;
};

Frame frame_of(HWND hwnd)
{
    RECT w{}, c{};
    GetWindowRect(hwnd, &w);
    GetClientRect(hwnd, &c);
    return Frame{(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
}

QScrollBar *bar(QWidget *client, Qt::Orientation orientation)
{
    for (QScrollBar *b : client->window()->findChildren<QScrollBar *>())
        if (b->orientation() == orientation)
            return b;
    return nullptr;
}

} // namespace

using WinsysWindows = WinsysTest;

TEST_F(WinsysWindows, CreationSendsItsMessagesInOrderBeforeReturning)
{
    int parameter = 0;
    LPVOID seen_parameter = nullptr;
    answers[WM_CREATE] = [&](HWND, WPARAM, LPARAM l) -> LRESULT {
        seen_parameter = reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams;
        return 0;
    };
    HWND hwnd =
        CreateWindowExA(0, recording_class, "T", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                        100, nullptr, nullptr, nullptr, &parameter);
    ASSERT_NE(hwnd, nullptr);
    windows.push_back(hwnd);
    std::vector<UINT> creation;
    for (UINT id : seen_ids()) {
        if (id == WM_GETMINMAXINFO || id == WM_NCCREATE ||
            id == WM_NCCALCSIZE || id == WM_CREATE)
            creation.push_back(id);
        if (id == WM_CREATE)
            break;
    }
    EXPECT_EQ(creation, (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE,
                                           WM_NCCALCSIZE, WM_CREATE}));
    EXPECT_EQ(seen_parameter, &parameter);
}

TEST_F(WinsysWindows, CreationFailsForAnUnknownClassOrARefusal)
{
    EXPECT_EQ(CreateWindowExA(0, "WinsysNoSuchClass", "T", 0, 0, 0, 10, 10,
                              nullptr, nullptr, nullptr, nullptr),
              nullptr);
    answers[WM_CREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; };
    EXPECT_EQ(make_window(), nullptr);
    // The refused window was destroyed, and told so.
    const std::vector<Seen> destroyed = seen(WM_DESTROY);
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_FALSE(is_window(destroyed[0].hwnd));
}

TEST_F(WinsysWindows, CloseBoxAndWmCloseDestroyTheWindow)
{
    HWND first = make_window();
    HWND second = make_window();
    ShowWindow(second, SW_SHOWNORMAL);
    SendMessageA(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(is_window(first));
    // The close box asks through the queue, as input.
    client(second)->window()->close();
    const std::vector<UINT> taken = pump();
    EXPECT_NE(std::find(taken.begin(), taken.end(), UINT{WM_SYSCOMMAND}),
              taken.end());
    EXPECT_EQ(seen(WM_CLOSE).size(), 2u);
    EXPECT_EQ(seen(WM_DESTROY).size(), 2u);
    EXPECT_FALSE(is_window(second));
    EXPECT_EQ(DestroyWindow(second), FALSE);
}

TEST_F(WinsysWindows, DestroyingAParentDestroysItsChildrenAfterIt)
{
    HWND parent = make_window();
    HWND child = CreateWindowExA(
        0, recording_class, "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent,
        reinterpret_cast<HMENU>(INT_PTR{42}), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(scribblet::winsys::find_child(parent, 42), child);
    EXPECT_EQ(client(child)->parentWidget(), client(parent));
    DestroyWindow(parent);
    const std::vector<Seen> destroyed = seen(WM_DESTROY);
    ASSERT_EQ(destroyed.size(), 2u);
    EXPECT_EQ(destroyed[0].hwnd, parent);
    EXPECT_EQ(destroyed[1].hwnd, child);
    EXPECT_FALSE(is_window(child));
}

TEST_F(WinsysWindows, FrameIsKnownBeforeShowingAndSizingKeepsTheClientExact)
{
    HWND hwnd = make_window();
    ASSERT_FALSE(client(hwnd)->window()->isVisible());
    const Frame before = frame_of(hwnd);
    // Menu bar above, a scroll bar at the bottom and on the right.
    EXPECT_GT(before.width, 0);
    EXPECT_GT(before.height, before.width);
    log.clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 640 + before.width, 480 + before.height,
                 SWP_NOMOVE);
    RECT c{};
    GetClientRect(hwnd, &c);
    EXPECT_EQ(c.right, 640);
    EXPECT_EQ(c.bottom, 480);
    ASSERT_FALSE(seen(WM_SIZE).empty());
    EXPECT_EQ(seen(WM_SIZE).back().lParam, MAKELPARAM(640, 480));
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    EXPECT_EQ(client(hwnd)->size(), QSize(640, 480));
    const Frame after = frame_of(hwnd);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
}

TEST_F(WinsysWindows, ScrollBarsFollowEnableScrollBar)
{
    HWND hwnd = make_window();
    QScrollBar *horizontal = bar(client(hwnd), Qt::Horizontal);
    QScrollBar *vertical = bar(client(hwnd), Qt::Vertical);
    ASSERT_NE(horizontal, nullptr);
    ASSERT_NE(vertical, nullptr);
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_BOTH));
    EXPECT_FALSE(horizontal->isEnabled());
    EXPECT_TRUE(vertical->isEnabled());
    EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_BOTH);
    EnableScrollBar(hwnd, SB_HORZ, ESB_ENABLE_BOTH);
    EXPECT_TRUE(horizontal->isEnabled());
    EXPECT_FALSE(vertical->isEnabled());
}

TEST_F(WinsysWindows, MenuItemsAreGrayedByCommandInAnyPopup)
{
    HWND hwnd = make_window();
    HMENU menu = GetMenu(hwnd);
    ASSERT_NE(menu, nullptr);
    // Which action is which: choose each, and see its command arrive.
    std::map<WORD, QAction *> by_id;
    for (QAction *action : client(hwnd)->window()->findChildren<QAction *>()) {
        if (action->isSeparator() || action->menu() != nullptr)
            continue;
        log.clear();
        action->trigger();
        pump();
        ASSERT_EQ(seen(WM_COMMAND).size(), 1u);
        EXPECT_EQ(HIWORD(seen(WM_COMMAND)[0].wParam), 0);
        by_id[LOWORD(seen(WM_COMMAND)[0].wParam)] = action;
    }
    ASSERT_TRUE(by_id.count(IDM_RIGHT_SHRINK));
    ASSERT_TRUE(by_id.count(IDM_ABOUT));
    EXPECT_EQ(EnableMenuItem(menu, IDM_RIGHT_SHRINK, MF_BYCOMMAND | MF_GRAYED),
              MF_ENABLED);
    EXPECT_FALSE(by_id[IDM_RIGHT_SHRINK]->isEnabled());
    EXPECT_TRUE(by_id[IDM_ABOUT]->isEnabled());
    EXPECT_EQ(EnableMenuItem(menu, IDM_RIGHT_SHRINK, MF_BYCOMMAND | MF_ENABLED),
              MF_GRAYED);
    EXPECT_TRUE(by_id[IDM_RIGHT_SHRINK]->isEnabled());
    EXPECT_EQ(EnableMenuItem(menu, 9999, MF_BYCOMMAND | MF_GRAYED), -1);
}

TEST_F(WinsysWindows, SizingAnswerLimitsTheUsersDrag)
{
    // The procedure stops the right and bottom edges at a 250 x 150 client.
    answers[WM_SIZING] = [this](HWND hwnd, WPARAM, LPARAM l) -> LRESULT {
        auto *r = reinterpret_cast<RECT *>(l);
        const Frame f = frame_of(hwnd);
        if (r->right - r->left - f.width >= 250)
            r->right = r->left + 250 + f.width;
        if (r->bottom - r->top - f.height >= 150)
            r->bottom = r->top + 150 + f.height;
        return 0;
    };
    HWND hwnd = make_window(200, 150);
    const Frame f = frame_of(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, 250 + f.width, 150 + f.height,
                 SWP_NOMOVE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    QWidget *top = client(hwnd)->window();
    EXPECT_EQ(top->maximumSize(), QSize(250 + f.width, 150 + f.height));
    // Dragging outwards stops at the limit; inwards is free and reported.
    top->resize(900, 900);
    pump();
    EXPECT_EQ(client(hwnd)->size(), QSize(250, 150));
    log.clear();
    top->resize(180 + f.width, 120 + f.height);
    pump();
    RECT c{};
    GetClientRect(hwnd, &c);
    EXPECT_EQ(c.right, 180);
    EXPECT_EQ(c.bottom, 120);
    ASSERT_FALSE(seen(WM_SIZE).empty());
    EXPECT_EQ(seen(WM_SIZE).back().lParam, MAKELPARAM(180, 120));
}

// Created or sized, a window with a sizing border, or any top-level window
// but a popup, keeps within its tracking sizes: by default the screen and
// Windows' smallest, else what the procedure answers; the user's dragging
// keeps to the same largest size.
TEST_F(WinsysWindows, SizesStayWithinTheTrackingSizes)
{
    const QSize screen = QGuiApplication::primaryScreen()->virtualSize();
    struct Case {
        const char *what;
        DWORD style;
        LONG largest; // the procedure's ptMaxTrackSize, 0 to leave it
        QSize created, sized, expected;
    };
    const Case cases[] = {
        {"created larger than the screen",
         WS_OVERLAPPEDWINDOW,
         0,
         {5000, 4000},
         {},
         screen},
        {"sized larger than the screen",
         WS_OVERLAPPED,
         0,
         {300, 200},
         {5000, 4000},
         screen},
        {"sized larger than the procedure allows",
         WS_OVERLAPPEDWINDOW,
         400,
         {300, 200},
         {5000, 300},
         {400, 300}},
        {"sized smaller than Windows' smallest",
         WS_OVERLAPPEDWINDOW,
         0,
         {300, 200},
         {20, 10},
         {112, 27}},
        {"a popup without sizing border",
         WS_POPUP | WS_CAPTION,
         0,
         {1500, 1000},
         {1400, 900},
         {1400, 900}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        answers[WM_GETMINMAXINFO] = [&c](HWND, WPARAM, LPARAM l) -> LRESULT {
            if (c.largest != 0)
                reinterpret_cast<MINMAXINFO *>(l)->ptMaxTrackSize =
                    POINT{c.largest, c.largest};
            return 0;
        };
        HWND hwnd = make_window(c.created.width(), c.created.height(), c.style);
        ASSERT_NE(hwnd, nullptr);
        if (!c.sized.isEmpty())
            SetWindowPos(hwnd, nullptr, 0, 0, c.sized.width(), c.sized.height(),
                         SWP_NOMOVE);
        RECT r{};
        GetWindowRect(hwnd, &r);
        EXPECT_EQ(QSize(r.right - r.left, r.bottom - r.top), c.expected);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        pump();
        QWidget *top = client(hwnd)->window();
        EXPECT_EQ(top->size(), c.expected);
        if ((c.style & WS_THICKFRAME) != 0) {
            EXPECT_EQ(top->maximumSize(),
                      c.largest != 0 ? QSize(c.largest, c.largest) : screen);
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(WinsysWindows, MaximisingTakesTheMaximisedSizeOfWmGetMinMaxInfo)
{
    answers[WM_GETMINMAXINFO] = [](HWND, WPARAM, LPARAM l) -> LRESULT {
        reinterpret_cast<MINMAXINFO *>(l)->ptMaxSize = POINT{350, 250};
        return 0;
    };
    HWND hwnd = make_window();
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    pump();
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 350);
    EXPECT_EQ(r.bottom - r.top, 250);
    ASSERT_FALSE(seen(WM_SIZE).empty());
    EXPECT_EQ(seen(WM_SIZE).back().wParam, WPARAM{SIZE_MAXIMIZED});
    EXPECT_EQ(client(hwnd)->window()->size(), QSize(350, 250));
}

TEST_F(WinsysWindows, StyleAndFontChangesSendThemeChanged)
{
    HWND hwnd = make_window();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    QWidget *top = client(hwnd)->window();
    QEvent style_change(QEvent::StyleChange);
    QApplication::sendEvent(top, &style_change);
    pump();
    EXPECT_EQ(seen(WM_THEMECHANGED).size(), 1u);
    const Frame before = frame_of(hwnd);
    QFont larger = top->font();
    larger.setPointSize(larger.pointSize() * 3);
    top->setFont(larger);
    pump();
    EXPECT_EQ(seen(WM_THEMECHANGED).size(), 2u);
    // The larger menu font makes the frame taller, and the client area
    // that the program is told of is the one shown.
    EXPECT_GT(frame_of(hwnd).height, before.height);
    RECT c{};
    GetClientRect(hwnd, &c);
    EXPECT_EQ(client(hwnd)->height(), c.bottom);
}

TEST_F(WinsysWindows, ClassIconBecomesTheWindowIconAtEverySize)
{
    HWND hwnd = make_window();
    const QList<QSize> sizes =
        client(hwnd)->window()->windowIcon().availableSizes();
    for (int side : {16, 32, 48})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

TEST_F(WinsysWindows, AWindowWithoutSizingBorderKeepsItsSize)
{
    HWND hwnd = make_window(220, 120, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    pump();
    QWidget *top = client(hwnd)->window();
    EXPECT_EQ(top->minimumSize(), QSize(220, 120));
    EXPECT_EQ(top->maximumSize(), QSize(220, 120));
    // No scroll bars were asked for: the client is as wide as the window
    // (the class's menu bar still sits above it).
    RECT c{};
    GetClientRect(hwnd, &c);
    EXPECT_EQ(c.right, 220);
    EXPECT_EQ(c.bottom, 120 - client(hwnd)->y());
}
