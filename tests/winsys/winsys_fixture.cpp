#include "winsys_fixture.h"

#include "platform/resources/resource_reader.h"
#include "platform/qt/window_widgets.h"
#include "platform/winsys/test_support.h"
#include "platform/winsys/window_system.h"
#include "res/resource.h"

namespace winsys_test {

const char *const recording_class = "WinsysTestRecording";

namespace {

WinsysTest *current = nullptr;

LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wParam,
                                LPARAM lParam)
{
    if (current == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    current->log.push_back(Seen{hwnd, message, wParam, lParam});
    const auto &answers = current->answers;
    if (auto it = answers.find(message); it != answers.end())
        return it->second(hwnd, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void register_classes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = recording_proc;
    wc.hInstance = scribblet::resources::program_instance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_SCRIBBLET));
    wc.lpszMenuName = MAKEINTRESOURCEA(IDC_SCRIBBLET);
    wc.lpszClassName = recording_class;
    ASSERT_NE(RegisterClassExA(&wc), 0);
}

} // namespace

void WinsysTest::SetUp()
{
    current = this;
    register_classes();
}

void WinsysTest::TearDown()
{
    for (HWND hwnd : windows)
        DestroyWindow(hwnd);
    // Whatever the test left in the queue goes before the next test.
    pump();
    current = nullptr;
}

HWND WinsysTest::make_window(int width, int height, DWORD style)
{
    HWND hwnd = CreateWindowExA(
        0, recording_class, "Test", style, 40, 30, width, height, nullptr,
        nullptr, scribblet::resources::program_instance(), nullptr);
    if (hwnd != nullptr)
        windows.push_back(hwnd);
    return hwnd;
}

std::vector<Seen> WinsysTest::seen(UINT message) const
{
    std::vector<Seen> out;
    for (const Seen &s : log)
        if (s.message == message)
            out.push_back(s);
    return out;
}

std::vector<UINT> WinsysTest::seen_ids() const
{
    std::vector<UINT> out;
    for (const Seen &s : log)
        out.push_back(s.message);
    return out;
}

std::vector<UINT> WinsysTest::pump()
{
    std::vector<UINT> taken;
    MSG msg{};
    while (scribblet::winsys::peek_message(&msg)) {
        taken.push_back(msg.message);
        if (msg.message == WM_QUIT)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return taken;
}

QWidget *WinsysTest::client(HWND hwnd) const
{
    return scribblet::qt::window_widget(hwnd);
}

} // namespace winsys_test
