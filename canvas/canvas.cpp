// The canvas's surface: creation, fills, copies and read-out.
#include "canvas/canvas.h"

#include <cstdlib>
#include <cstring>

Canvas g_canvas;

static BOOL canvas_size_allowed(LONG width, LONG height)
{
    if (width < 0 || height < 0)
        return FALSE;
    const unsigned long long bytes =
        (unsigned long long)width * (unsigned long long)height * 4u;
    return bytes <= CANVAS_MAX_BYTES;
}

static size_t byte_count_of(LONG width, LONG height)
{
    return (size_t)width * (size_t)height * 4u;
}

// A surface of width x height pixels against the desktop window's device
// context: the memory device context and the bitmap, or neither.
static BOOL create_surface(Canvas *surface)
{
    const HWND desktop = GetDesktopWindow();
    const HDC screen = GetDC(desktop);
    if (!screen)
        return FALSE;
    surface->dc = CreateCompatibleDC(screen);
    surface->bitmap =
        CreateCompatibleBitmap(screen, surface->width, surface->height);
    ReleaseDC(desktop, screen);
    if (surface->dc && surface->bitmap)
        return TRUE;
    if (surface->bitmap)
        DeleteObject(surface->bitmap);
    if (surface->dc)
        DeleteDC(surface->dc);
    return FALSE;
}

static void destroy_surface(const Canvas *surface)
{
    DeleteObject(surface->bitmap);
    DeleteDC(surface->dc);
}

// Sets every byte of the surface to 0xFF through a buffer of its size.
static BOOL fill_white(Canvas *surface)
{
    const size_t bytes = byte_count_of(surface->width, surface->height);
    surface->previous = SelectObject(surface->dc, surface->bitmap);
    BYTE *buffer = (BYTE *)malloc(bytes ? bytes : 1);
    if (buffer) {
        if (bytes > 0)
            memset(buffer, 0xFF, bytes);
        SetBitmapBits(surface->bitmap, (DWORD)bytes, buffer);
    }
    SelectObject(surface->dc, surface->previous);
    free(buffer);
    return buffer != NULL;
}

BOOL canvas_create(LONG width, LONG height)
{
    if (!canvas_size_allowed(width, height))
        return FALSE;
    Canvas made = {width, height, NULL, NULL, NULL};
    if (!create_surface(&made))
        return FALSE;
    if (!fill_white(&made)) {
        destroy_surface(&made);
        return FALSE;
    }
    g_canvas = made;
    return TRUE;
}

void canvas_begin_drawing(void)
{
    g_canvas.previous = SelectObject(g_canvas.dc, g_canvas.bitmap);
}

void canvas_end_drawing(void)
{
    SelectObject(g_canvas.dc, g_canvas.previous);
}

void canvas_fill(const RECT *area, HBRUSH brush)
{
    // A canvas without pixels holds a stand-in bitmap that must stay as it is.
    if (g_canvas.width > 0 && g_canvas.height > 0)
        FillRect(g_canvas.dc, area, brush);
}

void canvas_copy_to(HDC target, const RECT *area)
{
    canvas_begin_drawing();
    BitBlt(target, area->left, area->top, area->right - area->left,
           area->bottom - area->top, g_canvas.dc, area->left, area->top,
           SRCCOPY);
    canvas_end_drawing();
}

size_t canvas_byte_count(void)
{
    return byte_count_of(g_canvas.width, g_canvas.height);
}

BYTE *canvas_read_out(void)
{
    const size_t bytes = canvas_byte_count();
    BYTE *buffer = (BYTE *)malloc(bytes ? bytes : 1);
    if (!buffer || bytes == 0)
        return buffer;
    if ((size_t)GetBitmapBits(g_canvas.bitmap, (LONG)bytes, buffer) != bytes) {
        free(buffer);
        return NULL;
    }
    return buffer;
}
