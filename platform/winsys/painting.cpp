// InvalidateRect, BeginPaint, EndPaint and each window's backing surface: a
// 32-bit bitmap of the client size that BeginPaint's device context draws
// on and that the toolkit shows.
#include "platform/winsys/painting.h"

#include <cstring>

#include "platform/gdi/gdi_internal.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_record.h"

namespace scribblet::winsys {
namespace {

// Makes (or remakes, for a new client size) the window's backing surface.
// Returns false when the surface cannot be had: the window then paints on
// a device context without a bitmap, which draws nothing.
bool ensure_surface(Window &w)
{
    const LONG width = width_of(w.client_rect);
    const LONG height = height_of(w.client_rect);
    if (w.surface_dc == nullptr) {
        w.surface_dc = CreateCompatibleDC(nullptr);
        if (w.surface_dc == nullptr)
            return false;
    }
    gdi::PixelView old{};
    if (w.surface != nullptr && gdi::bitmap_pixels(w.surface, &old) &&
        old.width == width && old.height == height)
        return true;
    if (width <= 0 || height <= 0)
        return false;
    HBITMAP fresh = CreateCompatibleBitmap(GetDC(nullptr), width, height);
    if (fresh == nullptr)
        return false;
    HGDIOBJ previous = SelectObject(w.surface_dc, fresh);
    if (previous == nullptr) {
        DeleteObject(fresh);
        return false;
    }
    if (w.surface == nullptr) {
        w.surface_original = previous;
    } else {
        // Keep what the old surface showed where the new one overlaps it.
        HDC old_dc = CreateCompatibleDC(nullptr);
        if (old_dc != nullptr) {
            HGDIOBJ keep = SelectObject(old_dc, w.surface);
            BitBlt(w.surface_dc, 0, 0, old.width, old.height, old_dc, 0, 0,
                   SRCCOPY);
            SelectObject(old_dc, keep);
            DeleteDC(old_dc);
        }
        DeleteObject(w.surface);
    }
    w.surface = fresh;
    return true;
}

void add_to_update(Window &w, const RECT &rect, bool erase)
{
    const RECT clipped = intersected(rect, client_area(w));
    if (is_empty(clipped))
        return;
    w.update = united(w.update, clipped);
    w.erase_pending = w.erase_pending || erase;
}

// What the class background brush fills: a system colour index + 1
// stands for that colour (only the window colour, white, is used).
bool erase_background(HWND hwnd, HDC dc, const RECT &rect)
{
    const Window *w = find_window(hwnd);
    if (w == nullptr || w->window_class->background == nullptr)
        return false;
    HBRUSH brush = w->window_class->background;
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value <= 31) {
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        const bool filled = FillRect(dc, &rect, white) != 0;
        DeleteObject(white);
        return filled;
    }
    return FillRect(dc, &rect, brush) != 0;
}

} // namespace

LRESULT default_erase(HWND hwnd, HDC dc)
{
    const Window *w = find_window(hwnd);
    if (w == nullptr || dc != w->surface_dc)
        return 0;
    // Only the part being painted is erased: the rest of the surface still
    // shows what was painted before.
    return erase_background(hwnd, dc, w->paint_clip) ? 1 : 0;
}

void client_resized(HWND hwnd, const RECT &old_client)
{
    Window *w = find_window(hwnd);
    if (w == nullptr)
        return;
    if (w->surface != nullptr)
        ensure_surface(*w);
    const RECT now = client_area(*w);
    if ((w->window_class->style & (CS_HREDRAW | CS_VREDRAW)) != 0) {
        add_to_update(*w, now, true);
        return;
    }
    // The strips that the client area gained, as their bounding rectangle.
    RECT gained{};
    if (now.right > old_client.right)
        gained =
            united(gained, RECT{old_client.right, 0, now.right, now.bottom});
    if (now.bottom > old_client.bottom)
        gained =
            united(gained, RECT{0, old_client.bottom, now.right, now.bottom});
    add_to_update(*w, gained, true);
}

void release_surface(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (w == nullptr || w->surface_dc == nullptr)
        return;
    if (w->surface != nullptr) {
        SelectObject(w->surface_dc, w->surface_original);
        DeleteObject(w->surface);
    }
    DeleteDC(w->surface_dc);
    w->surface = nullptr;
    w->surface_dc = nullptr;
}

void invalidate_all(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (w != nullptr)
        add_to_update(*w, client_area(*w), true);
}

void validate_all(HWND hwnd)
{
    Window *w = find_window(hwnd);
    if (w == nullptr)
        return;
    w->update = RECT{};
    w->erase_pending = false;
}

SurfaceView surface_of(HWND hwnd)
{
    const Window *w = find_window(hwnd);
    gdi::PixelView view{};
    if (w == nullptr || w->surface == nullptr ||
        !gdi::bitmap_pixels(w->surface, &view))
        return SurfaceView{};
    return SurfaceView{view.pixels, view.width, view.height, view.stride};
}

} // namespace scribblet::winsys

using namespace scribblet::winsys;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *lpRect, BOOL bErase)
{
    Window *w = find_window(hWnd);
    if (w == nullptr)
        return FALSE;
    // The update region accumulates (as its bounding rectangle); no
    // rectangle means the whole client area.
    add_to_update(*w, lpRect != nullptr ? *lpRect : client_area(*w),
                  bErase != FALSE);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    Window *w = find_window(hWnd);
    if (w == nullptr || lpPaint == nullptr)
        return nullptr;
    std::memset(lpPaint, 0, sizeof *lpPaint);
    ensure_surface(*w);
    if (w->surface_dc == nullptr)
        return nullptr;
    // BeginPaint hands out the update region's bounding rectangle and
    // validates it; the background is erased first when asked for.
    const RECT update = w->update;
    const bool erase = w->erase_pending;
    w->update = RECT{};
    w->erase_pending = false;
    lpPaint->hdc = w->surface_dc;
    lpPaint->rcPaint = update;
    w->paint_clip = update;
    if (erase && !is_empty(update)) {
        lpPaint->fErase =
            SendMessageA(hWnd, WM_ERASEBKGND,
                         reinterpret_cast<WPARAM>(lpPaint->hdc), 0) == 0;
    }
    return lpPaint->hdc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *lpPaint)
{
    Window *w = find_window(hWnd);
    if (w == nullptr || lpPaint == nullptr)
        return FALSE;
    // The toolkit shows the painted part again from the backing surface.
    if (w->peer && !is_empty(lpPaint->rcPaint))
        w->peer->present(lpPaint->rcPaint);
    return TRUE;
}
