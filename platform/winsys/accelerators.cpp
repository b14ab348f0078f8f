// TranslateAcceleratorA.
#include <vector>

#include "platform/resources/resource_reader.h"
#include "platform/winsys/window_system.h"

using namespace scribblet::winsys;
namespace resources = scribblet::resources;

namespace {

// The program's table holds character entries: each matches its character
// typed, as WM_CHAR, or with FALT as WM_SYSCHAR (the character typed while
// Alt is held). A virtual-key entry matches nothing here.
bool entry_matches(const resources::AcceleratorEntry &entry, const MSG &msg)
{
    const UINT typed = (entry.fVirt & FALT) != 0 ? WM_SYSCHAR : WM_CHAR;
    return (entry.fVirt & FVIRTKEY) == 0 && msg.message == typed &&
           msg.wParam == entry.key;
}

// A command whose menu item is grayed or disabled is swallowed, as Windows
// does: the keystroke counts as translated, but nothing is sent.
bool command_is_disabled(Window &w, WORD command)
{
    MenuRecord *bar = window_system().menu(w.menu);
    const resources::MenuItem *item =
        bar != nullptr ? find_menu_command(bar->menu, command) : nullptr;
    return item != nullptr && (item->flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

} // namespace

int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    const std::vector<resources::AcceleratorEntry> *entries =
        resources::accelerator_entries(hAccTable);
    Window *w = window_system().find(hWnd);
    if (entries == nullptr || w == nullptr)
        return 0;
    for (const resources::AcceleratorEntry &entry : *entries) {
        if (!entry_matches(entry, *lpMsg))
            continue;
        if (!command_is_disabled(*w, entry.cmd))
            window_system().send(hWnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return 1;
    }
    return 0;
}
