#include "dialog_test_support.h"

namespace scribblet::dialogs_test {

OwnerWindow::OwnerWindow()
{
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "DialogsTestOwner";
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    hwnd_ = CreateWindowExA(0, "DialogsTestOwner", "Owner",
                            WS_OVERLAPPEDWINDOW, 60, 50, 500, 400, nullptr,
                            nullptr, nullptr, nullptr);
    ShowWindow(hwnd_, SW_SHOW);
}

OwnerWindow::~OwnerWindow() { DestroyWindow(hwnd_); }

QWidget *TopLevelWidget(HWND hwnd)
{
    QWidget *client = qt::window_widget(hwnd);
    return client != nullptr ? client->window() : nullptr;
}

bool IsShown(HWND hwnd)
{
    const QWidget *top = TopLevelWidget(hwnd);
    return top != nullptr && top->isVisible();
}

} // namespace scribblet::dialogs_test
