// Start-up and the message loop.
#include "platform/platform.h"

#include "res/resource.h"

#include "app/main_window.h"

static const int MAX_LOADSTRING = 100;

static char s_title[MAX_LOADSTRING];
static char s_window_class[MAX_LOADSTRING];

static ATOM register_main_window_class(HINSTANCE instance)
{
    WNDCLASSEXA wcex;
    wcex.cbSize = sizeof(WNDCLASSEXA);
    wcex.style = CS_HREDRAW | CS_VREDRAW;
    wcex.lpfnWndProc = main_window_proc;
    wcex.cbClsExtra = 0;
    wcex.cbWndExtra = 0;
    wcex.hInstance = instance;
    wcex.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SCRIBBLET));
    wcex.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wcex.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wcex.lpszMenuName = MAKEINTRESOURCEA(IDC_SCRIBBLET);
    wcex.lpszClassName = s_window_class;
    wcex.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    return RegisterClassExA(&wcex);
}

static HWND create_main_window(HINSTANCE instance)
{
    return CreateWindowExA(0, s_window_class, s_title,
                           WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL,
                           CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, NULL, NULL,
                           instance, NULL);
}

// Runs until the quit message (or a failure to get a message) and returns
// the quit message's code.
static int run_message_loop(HACCEL accelerators)
{
    MSG msg = {};
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (int)msg.wParam;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance,
                   LPSTR lpCmdLine, int nShowCmd)
{
    (void)hPrevInstance;
    (void)lpCmdLine;
    LoadStringA(hInstance, IDS_APP_TITLE, s_title, MAX_LOADSTRING);
    LoadStringA(hInstance, IDS_WINDOW_CLASS, s_window_class, MAX_LOADSTRING);
    register_main_window_class(hInstance);

    // The main window's creation opens the canvas-size dialog through it.
    g_instance = hInstance;
    HWND hwnd = create_main_window(hInstance);
    if (!hwnd)
        return 0;
    ShowWindow(hwnd, nShowCmd);
    UpdateWindow(hwnd);

    HACCEL accelerators =
        LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(IDC_SCRIBBLET));
    return run_message_loop(accelerators);
}
