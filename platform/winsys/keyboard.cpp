// TranslateMessage and TranslateAcceleratorA.
#include <vector>

#include "platform/resources/resource_reader.h"
#include "platform/winsys/menus.h"
#include "platform/winsys/message_queue.h"
#include "platform/winsys/window_record.h"
#include "platform/winsys/window_system.h"

namespace scribblet::winsys {
namespace {

bool same_message(const MSG &a, const MSG &b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam &&
           a.lParam == b.lParam;
}

// Whether an accelerator entry's modifiers are exactly those held.
bool modifiers_match(BYTE fVirt, const InputEvent &keys)
{
    return ((fVirt & FSHIFT) != 0) == keys.shift &&
           ((fVirt & FCONTROL) != 0) == keys.control &&
           ((fVirt & FALT) != 0) == keys.alt;
}

bool entry_matches(const resources::AcceleratorEntry &entry, const MSG &msg,
                   const InputEvent &keys)
{
    if ((entry.fVirt & FVIRTKEY) != 0) {
        // A virtual-key entry matches the key going down, with exactly its
        // modifiers held.
        return (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
               entry.key == msg.wParam && modifiers_match(entry.fVirt, keys);
    }
    // A character entry matches the character; with FALT it is the
    // character typed while Alt is held, which arrives as WM_SYSCHAR.
    if (entry.key != msg.wParam)
        return false;
    if ((entry.fVirt & FALT) != 0)
        return msg.message == WM_SYSCHAR;
    return msg.message == WM_CHAR;
}

// A command whose menu item is grayed or disabled is swallowed, as Windows
// does: the keystroke counts as translated, but nothing is sent.
bool command_is_disabled(HWND hwnd, WORD command)
{
    const Window *w = find_window(hwnd);
    if (w == nullptr || w->menu == nullptr)
        return false;
    const resources::MenuItem *item = find_menu_command(w->menu, command);
    return item != nullptr && (item->flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

// Posts the character messages for a key's text: one message per byte of
// the narrow (UTF-8) text, as Windows posts one per byte of a multi-byte
// character to an A window.
void post_characters(const MSG &key, const std::string &text)
{
    const UINT message = key.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    for (const char c : text)
        PostMessageA(key.hwnd, message,
                     static_cast<WPARAM>(static_cast<unsigned char>(c)),
                     key.lParam);
}

} // namespace
} // namespace scribblet::winsys

using namespace scribblet::winsys;
namespace resources = scribblet::resources;

BOOL WINAPI TranslateMessage(const MSG *lpMsg)
{
    if (lpMsg == nullptr || !is_key_message(lpMsg->message))
        return FALSE;
    // A key going down makes its character (WM_KEYDOWN gives WM_CHAR, and
    // with Alt held WM_SYSKEYDOWN gives WM_SYSCHAR). Key messages count as
    // translated whether or not they make a character.
    const InputEvent &keys = keyboard_state();
    if ((lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN) &&
        same_message(keys.message, *lpMsg))
        post_characters(*lpMsg, keys.text);
    return TRUE;
}

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    const std::vector<resources::AcceleratorEntry> *entries =
        resources::accelerator_entries(hAccTable);
    if (entries == nullptr || lpMsg == nullptr || !is_window(hWnd))
        return 0;
    const UINT m = lpMsg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_CHAR &&
        m != WM_SYSCHAR)
        return 0;
    for (const resources::AcceleratorEntry &entry : *entries) {
        if (!entry_matches(entry, *lpMsg, keyboard_state()))
            continue;
        if (!command_is_disabled(hWnd, entry.cmd))
            SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return 1;
    }
    return 0;
}
