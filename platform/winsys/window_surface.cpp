#include "platform/winsys/window_surface.h"

#include "platform/gdi/gdi_internal.h"

namespace scribblet::winsys {

WindowSurface::~WindowSurface()
{
    drop_bitmap();
    if (dc_ != nullptr)
        DeleteDC(dc_);
}

void WindowSurface::drop_bitmap()
{
    if (bitmap_ == nullptr)
        return;
    SelectObject(dc_, original_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
}

HDC WindowSurface::fit(LONG width, LONG height)
{
    if (dc_ == nullptr && (dc_ = CreateCompatibleDC(nullptr)) == nullptr)
        return nullptr;
    const SurfaceView now = pixels();
    if (bitmap_ != nullptr && now.width == width && now.height == height)
        return dc_;
    drop_bitmap();
    HBITMAP fresh = CreateCompatibleBitmap(dc_, width, height);
    if (fresh != nullptr) {
        original_ = SelectObject(dc_, fresh);
        bitmap_ = fresh;
    }
    return dc_;
}

SurfaceView WindowSurface::pixels() const
{
    gdi::PixelView view{};
    if (bitmap_ == nullptr || !gdi::bitmap_pixels(bitmap_, &view))
        return SurfaceView{};
    return SurfaceView{view.pixels, view.width, view.height, view.stride};
}

} // namespace scribblet::winsys
