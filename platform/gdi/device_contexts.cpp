// Device contexts: the screen's, memory ones, and selecting bitmaps into them.
#include <memory>
#include <new>

#include "platform/gdi/objects.h"

using namespace scribblet;
using namespace scribblet::gdi;

namespace {

HDC add_dc(DcKind kind, HBITMAP selected)
{
    try {
        auto context = std::make_unique<DeviceContext>();
        context->kind = kind;
        context->selected = selected;
        return objects().dcs.add(std::move(context));
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

bool is_desktop(HWND window)
{
    return window == nullptr || window == GetDesktopWindow();
}

} // namespace

HWND WINAPI GetDesktopWindow(void)
{
    return fixed_handle<HWND>(HandleKind::window, desktop_window_id);
}

// The desktop's (or a NULL window's) device context is the one screen DC,
// which holds no state of its own and so is shared by every caller and
// outlives ReleaseDC (a caller that forgets to release it leaks nothing).
// The program draws on its windows only while painting, so another window
// has no device context here: NULL.
HDC WINAPI GetDC(HWND hWnd)
{
    if (!is_desktop(hWnd))
        return nullptr;
    HDC &screen = objects().screen_dc;
    if (!screen)
        screen = add_dc(DcKind::screen, nullptr);
    return screen;
}

// Returns 1 when the screen DC was released, 0 otherwise (a memory DC is for
// DeleteDC).
int WINAPI ReleaseDC(HWND, HDC hDC)
{
    const DeviceContext *context = objects().dcs.lookup(hDC);
    return context && context->kind == DcKind::screen ? 1 : 0;
}

// A memory DC starts with the stock 1 x 1 monochrome bitmap selected. hdc
// NULL means the screen; any other handle must be a live DC.
HDC WINAPI CreateCompatibleDC(HDC hdc)
{
    if (hdc && !objects().dcs.lookup(hdc))
        return nullptr;
    const HBITMAP initial = stock_bitmap();
    if (!initial)
        return nullptr;
    return add_dc(DcKind::memory, initial);
}

// Deletes a memory DC. A screen DC is released with ReleaseDC instead.
BOOL WINAPI DeleteDC(HDC hdc)
{
    const DeviceContext *context = objects().dcs.lookup(hdc);
    if (!context || context->kind != DcKind::memory)
        return FALSE;
    objects().dcs.remove(hdc);
    return TRUE;
}

// Bitmaps only, into memory DCs: returns the bitmap it replaced, or NULL
// when the DC or bitmap is not live, the DC is not a memory DC or the
// object is not a bitmap. Windows also refuses a bitmap that another DC
// holds; the program gives each bitmap one DC, so that is not checked.
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    DeviceContext *context = objects().dcs.lookup(hdc);
    if (!context || context->kind != DcKind::memory ||
        !objects().bitmaps.lookup(h))
        return nullptr;
    const HBITMAP previous = context->selected;
    context->selected = h;
    return previous;
}
