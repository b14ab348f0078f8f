// Windows of a recording class on the real window system and its Qt edge.
#ifndef SCRIBBLET_TESTS_WINSYS_WINSYS_FIXTURE_H
#define SCRIBBLET_TESTS_WINSYS_WINSYS_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/window_widgets.h"
#include "platform/resources/resource_reader.h"
#include "platform/winsys/test_support.h"
#include "platform/winsys/window_system.h"
#include "res/resource.h"

namespace winsys_test {

// What the recording procedure saw.
struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The class (with the program's menu) logs every message its windows get
// and gives the test's answers.
class WinsysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        current = this;
        static const ATOM registered = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = recording_proc;
            wc.hInstance = scribblet::resources::program_instance();
            wc.lpszMenuName = MAKEINTRESOURCEA(IDC_SCRIBBLET);
            wc.lpszClassName = "WinsysTestRecording";
            return RegisterClassExA(&wc);
        }();
        ASSERT_NE(registered, 0);
    }

    void TearDown() override
    {
        for (HWND hwnd : windows)
            DestroyWindow(hwnd);
        pump(); // what the test left goes before the next test
        current = nullptr;
    }

    HWND make_window(int width, int height, DWORD style)
    {
        HWND hwnd =
            CreateWindowExA(0, "WinsysTestRecording", "Test", style, 40, 30,
                            width, height, nullptr, nullptr, nullptr, nullptr);
        windows.push_back(hwnd);
        return hwnd;
    }

    // A window shown and painted, the log cleared.
    HWND shown_window(int width = 300, int height = 200)
    {
        HWND hwnd = make_window(width, height, WS_OVERLAPPEDWINDOW);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        pump();
        log.clear();
        return hwnd;
    }

    std::vector<Seen> seen(UINT message) const
    {
        std::vector<Seen> out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out),
                     [message](const Seen &s) { return s.message == message; });
        return out;
    }

    // Dispatches every message until the queue is empty and Qt has no more
    // events; returns the ids taken (those in `keep`, if any), in order.
    std::vector<UINT> pump(const std::vector<UINT> &keep = {})
    {
        std::vector<UINT> taken;
        MSG msg{};
        while (scribblet::winsys::peek_message(&msg)) {
            if (keep.empty() ||
                std::count(keep.begin(), keep.end(), msg.message))
                taken.push_back(msg.message);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return taken;
    }

    static QWidget *client(HWND hwnd)
    {
        return scribblet::qt::window_widget(hwnd);
    }

    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> answers;
    std::vector<Seen> log;
    std::vector<HWND> windows;

private:
    inline static WinsysTest *current = nullptr;

    static LRESULT CALLBACK recording_proc(HWND hwnd, UINT message,
                                           WPARAM wParam, LPARAM lParam)
    {
        if (WinsysTest *test = current) {
            test->log.push_back(Seen{hwnd, message, wParam, lParam});
            if (auto it = test->answers.find(message);
                it != test->answers.end())
                return it->second(hwnd, wParam, lParam);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

} // namespace winsys_test

#endif // SCRIBBLET_TESTS_WINSYS_WINSYS_FIXTURE_H
