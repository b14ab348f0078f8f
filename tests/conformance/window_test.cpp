// A top-level window like the program's: the order in which GetMessageA
// takes posted messages, the quit message and paints, SetWindowPos sizing
// the window so that GetClientRect reports the wanted client area, and the
// largest size the system lets it have.
#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
#include "tests/conformance/conformance.h"

namespace {

const UINT FIRST = WM_USER + 1;
const UINT SECOND = WM_USER + 2;
const UINT POSTED_WHILE_HANDLING = WM_USER + 3;

std::vector<UINT> g_taken; // the messages above and WM_PAINT, in order
LPARAM g_last_size = -1;   // WM_SIZE's lParam
MINMAXINFO g_defaults;     // what the system proposed in WM_GETMINMAXINFO

LRESULT CALLBACK record_proc(HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        g_taken.push_back(message);
        return 0;
    }
    case WM_SIZE:
        g_last_size = lParam;
        return 0;
    case WM_GETMINMAXINFO:
        g_defaults = *(MINMAXINFO *)lParam;
        return 0;
    case FIRST:
        PostMessageA(hwnd, POSTED_WHILE_HANDLING, 0, 0);
        g_taken.push_back(message);
        return 0;
    case SECOND:
    case POSTED_WHILE_HANDLING:
        g_taken.push_back(message);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A shown window with the program's menu and both scroll bars, its first
// paint done.
class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const ATOM registered = [] {
            WNDCLASSEXA wc = {};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = record_proc;
            wc.hInstance = g_module;
            wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
            wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
            wc.lpszMenuName = MAKEINTRESOURCEA(IDC_SCRIBBLET);
            wc.lpszClassName = "ConformanceWindow";
            return RegisterClassExA(&wc);
        }();
        ASSERT_NE(registered, 0);
        hwnd = CreateWindowExA(0, "ConformanceWindow", "conformance",
                               WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL,
                               40, 40, 700, 500, NULL, NULL, g_module, NULL);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        g_taken.clear();
    }
    void TearDown() override
    {
        DestroyWindow(hwnd);
    }

    // Dispatches until the quit message; returns its code.
    static int run_until_quit()
    {
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0)
            DispatchMessageA(&msg);
        return static_cast<int>(msg.wParam);
    }

    HWND hwnd = nullptr;
};

TEST_F(Window, PostedMessagesComeFirstInOrderThenQuitThenPaint)
{
    InvalidateRect(hwnd, NULL, FALSE);
    PostMessageA(hwnd, FIRST, 0, 0);
    PostMessageA(hwnd, SECOND, 0, 0);
    PostQuitMessage(7);
    EXPECT_EQ(run_until_quit(), 7);
    // The message posted while FIRST was handled comes after those posted
    // before it, and the pending paint waits for all of them.
    EXPECT_EQ(g_taken,
              (std::vector<UINT>{FIRST, SECOND, POSTED_WHILE_HANDLING}));

    MSG msg;
    ASSERT_GT(GetMessageA(&msg, NULL, 0, 0), 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, hwnd);
    DispatchMessageA(&msg);
}

TEST_F(Window, SetWindowPosWithTheFrameAddedGivesTheWantedClientArea)
{
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    const LONG frame_width = (window.right - window.left) - client.right;
    const LONG frame_height = (window.bottom - window.top) - client.bottom;
    ASSERT_GT(frame_width, 0);
    ASSERT_GT(frame_height, 0);

    const LONG sizes[][2] = {{500, 300}, {640, 220}, {520, 410}};
    for (const auto &size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        ASSERT_TRUE(SetWindowPos(hwnd, NULL, 0, 0, size[0] + frame_width,
                                 size[1] + frame_height,
                                 SWP_NOMOVE | SWP_NOZORDER));
        RECT now;
        GetClientRect(hwnd, &now);
        EXPECT_EQ(now.right, size[0]);
        EXPECT_EQ(now.bottom, size[1]);
        EXPECT_EQ(g_last_size, MAKELPARAM(size[0], size[1]));
        RECT moved;
        GetWindowRect(hwnd, &moved);
        EXPECT_EQ(moved.left, window.left) << "SWP_NOMOVE keeps the place";
        EXPECT_EQ(moved.top, window.top);
        EXPECT_EQ(moved.right - moved.left, size[0] + frame_width);
    }
}

TEST_F(Window, SetWindowPosLargerThanTheScreenGivesTheMaximumTrackingSize)
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    ASSERT_TRUE(SetWindowPos(hwnd, NULL, 0, 0, 30000, 20000,
                             SWP_NOMOVE | SWP_NOZORDER));
    RECT window;
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.right - window.left, g_defaults.ptMaxTrackSize.x);
    EXPECT_EQ(window.bottom - window.top, g_defaults.ptMaxTrackSize.y);
    // By default the window may cover the screen, and no more than a frame
    // beyond it.
    EXPECT_GE(g_defaults.ptMaxTrackSize.x, screen.right - screen.left);
    EXPECT_GE(g_defaults.ptMaxTrackSize.y, screen.bottom - screen.top);
    EXPECT_LT(g_defaults.ptMaxTrackSize.x, screen.right - screen.left + 100);
    EXPECT_LT(g_defaults.ptMaxTrackSize.y, screen.bottom - screen.top + 100);
}

} // namespace
