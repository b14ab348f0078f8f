// RegisterClassExA and the class registry.
#include <cctype>
#include <memory>
#include <vector>

#include "platform/winsys/window_record.h"

namespace scribblet::winsys {
namespace {

// Classes live until the process ends, so windows may point at them.
std::vector<std::unique_ptr<WindowClass>> &registry()
{
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

// Class names compare without regard to the case of ASCII letters.
bool same_name(const std::string &a, const char *b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

// Atoms of registered classes; Windows hands out values from 0xC000 up.
constexpr ATOM first_class_atom = 0xC000;

} // namespace

const WindowClass *find_class(const char *name)
{
    if (name == nullptr || IS_INTRESOURCE(name)) {
        // A class atom in place of a name.
        const auto atom = static_cast<ATOM>(LOWORD(name));
        const std::size_t index = atom - first_class_atom;
        if (atom < first_class_atom || index >= registry().size())
            return nullptr;
        return registry()[index].get();
    }
    for (const auto &c : registry())
        if (same_name(c->name, name))
            return c.get();
    return nullptr;
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *lpwcx)
{
    // Windows refuses a record of the wrong size, a missing procedure or
    // name, and a name that is already registered.
    if (lpwcx == nullptr || lpwcx->cbSize != sizeof(WNDCLASSEXA) ||
        lpwcx->lpfnWndProc == nullptr || lpwcx->lpszClassName == nullptr ||
        IS_INTRESOURCE(lpwcx->lpszClassName) ||
        find_class(lpwcx->lpszClassName) != nullptr)
        return 0;
    auto c = std::make_unique<WindowClass>();
    c->name = lpwcx->lpszClassName;
    c->style = lpwcx->style;
    c->proc = lpwcx->lpfnWndProc;
    c->instance = lpwcx->hInstance;
    c->icon = lpwcx->hIcon;
    c->icon_small = lpwcx->hIconSm;
    c->cursor = lpwcx->hCursor;
    c->background = lpwcx->hbrBackground;
    c->menu_name = ResourceRef::from_lpcstr(lpwcx->lpszMenuName);
    registry().push_back(std::move(c));
    return static_cast<ATOM>(first_class_atom + registry().size() - 1);
}
