// A top-level window like the program's: the order in which GetMessageA
// takes posted messages, the quit message and paints, and the largest size
// the system lets it have.
#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
#include "tests/conformance/conformance.h"

namespace {

const UINT FIRST = WM_USER + 1, SECOND = WM_USER + 2, LATER = WM_USER + 3;

std::vector<UINT> g_taken; // the messages above and WM_PAINT, in order
MINMAXINFO g_defaults;     // what the system proposed in WM_GETMINMAXINFO

LRESULT CALLBACK record_proc(HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
    } else if (message == WM_GETMINMAXINFO) {
        g_defaults = *(MINMAXINFO *)lParam;
        return 0;
    } else if (message == FIRST) {
        PostMessageA(hwnd, LATER, 0, 0);
    } else if (message != SECOND && message != LATER) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    g_taken.push_back(message);
    return 0;
}

// A shown window with the program's menu and both scroll bars.
HWND make_window()
{
    static const ATOM registered = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = record_proc;
        wc.hInstance = g_module;
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszMenuName = MAKEINTRESOURCEA(IDC_SCRIBBLET);
        wc.lpszClassName = "ConformanceWindow";
        return RegisterClassExA(&wc);
    }();
    EXPECT_NE(registered, 0);
    HWND hwnd = CreateWindowExA(0, "ConformanceWindow", "conformance",
                                WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL,
                                40, 40, 700, 500, NULL, NULL, g_module, NULL);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}

// The message posted while FIRST is handled comes after those posted
// before it, and the pending paint waits for all of them and the quit.
TEST(Window, PostedMessagesComeFirstInOrderThenQuitThenPaint)
{
    HWND hwnd = make_window();
    g_taken.clear();
    InvalidateRect(hwnd, NULL, FALSE);
    PostMessageA(hwnd, FIRST, 0, 0);
    PostMessageA(hwnd, SECOND, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    EXPECT_EQ(msg.wParam, WPARAM{7});
    EXPECT_EQ(g_taken, (std::vector<UINT>{FIRST, SECOND, LATER}));
    ASSERT_GT(GetMessageA(&msg, NULL, 0, 0), 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&msg);
    DestroyWindow(hwnd);
}

// By default the window may cover the screen (and on Windows its frame
// beyond it): a larger size gives the largest tracking size.
TEST(Window, SetWindowPosLargerThanTheScreenGivesTheMaximumTrackingSize)
{
    HWND hwnd = make_window();
    RECT window;
    ASSERT_TRUE(SetWindowPos(hwnd, NULL, 0, 0, 30000, 20000,
                             SWP_NOMOVE | SWP_NOZORDER));
    GetWindowRect(hwnd, &window);
    const POINT most = g_defaults.ptMaxTrackSize;
    EXPECT_EQ(window.right - window.left, most.x);
    EXPECT_EQ(window.bottom - window.top, most.y);
    EXPECT_LT(most.x, 30000);
    EXPECT_LT(most.y, 20000);
    DestroyWindow(hwnd);
}

} // namespace
