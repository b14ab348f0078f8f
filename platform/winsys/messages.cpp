// GetMessageA, PostMessageA, SendMessageA, DispatchMessageA,
// PostQuitMessage and TranslateMessage.
#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;

// The program takes every message of its thread: a window or range filter
// is not kept (every caller passes NULL, 0, 0).
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND, UINT, UINT)
{
    return lpMsg != nullptr ? window_system().get_message(lpMsg) : -1;
}

// A null window posts to the thread itself.
BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd != nullptr && window_system().find(hWnd) == nullptr)
        return FALSE;
    window_system().post(hWnd, Msg, wParam, lParam);
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return window_system().send(hWnd, Msg, wParam, lParam);
}

// lpMsg is a message that GetMessageA gave, as in every caller's loop.
LRESULT WINAPI DispatchMessageA(const MSG *lpMsg)
{
    return window_system().send(lpMsg->hwnd, lpMsg->message, lpMsg->wParam,
                                lpMsg->lParam);
}

void WINAPI PostQuitMessage(int nExitCode)
{
    window_system().post_quit(nExitCode);
}

// A key going down makes its character: WM_KEYDOWN gives WM_CHAR, and with
// Alt held WM_SYSKEYDOWN gives WM_SYSCHAR, one message per byte of the
// narrow (UTF-8) text, as Windows posts one per byte of a multi-byte
// character to an A window. Key messages count as translated whether or
// not they make a character.
BOOL WINAPI TranslateMessage(const MSG *lpMsg)
{
    const UINT m = lpMsg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN)
        return FALSE;
    // The text is that of the key message last taken from the queue.
    const MSG &key = window_system().last_key().message;
    const bool same_key = key.hwnd == lpMsg->hwnd && key.message == m &&
                          key.wParam == lpMsg->wParam;
    const UINT character = m == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    for (const char c : same_key ? window_system().last_key().text : "")
        window_system().post(lpMsg->hwnd, character,
                             static_cast<WPARAM>(static_cast<unsigned char>(c)),
                             lpMsg->lParam);
    return TRUE;
}
