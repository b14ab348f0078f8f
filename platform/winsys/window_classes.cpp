// RegisterClassExA and the class registry.
#include <strings.h>
#include <vector>

#include "platform/winsys/window_record.h"

namespace scribblet::winsys {
namespace {

std::vector<std::unique_ptr<WindowClass>> &registry()
{
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

// Atoms of registered classes; Windows hands out values from 0xC000 up.
constexpr ATOM first_class_atom = 0xC000;

} // namespace

const WindowClass *find_class(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return nullptr;
    for (const auto &c : registry())
        if (strcasecmp(c->name.c_str(), name) == 0)
            return c.get();
    return nullptr;
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

// Windows refuses a record of the wrong size, a missing procedure or name,
// and a name that is already registered. A class menu named by a string
// (rather than by number) is not loaded: the program's is a number.
ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *lpwcx)
{
    if (lpwcx == nullptr || lpwcx->cbSize != sizeof(WNDCLASSEXA) ||
        lpwcx->lpfnWndProc == nullptr || IS_INTRESOURCE(lpwcx->lpszClassName) ||
        find_class(lpwcx->lpszClassName) != nullptr)
        return 0;
    auto c = std::make_unique<WindowClass>();
    c->name = lpwcx->lpszClassName;
    c->proc = lpwcx->lpfnWndProc;
    c->instance = lpwcx->hInstance;
    c->icon = lpwcx->hIcon;
    if (IS_INTRESOURCE(lpwcx->lpszMenuName))
        c->menu_id = LOWORD(lpwcx->lpszMenuName);
    registry().push_back(std::move(c));
    return static_cast<ATOM>(first_class_atom + registry().size() - 1);
}
