// On Windows the program calls the window services through their import
// slots (__imp_<name>, filled by the loader from user32.dll). Defining the
// slots here, already pointing at the recorders, keeps the linker from
// taking user32's: the program's calls land in the recorders. FillRect's
// slot points at a recorder that goes on to user32's real FillRect.
#include "tests/canvas/window_doubles.h"

// An import slot's symbol: __imp_<name> on x64; on x86, where stdcall names
// carry their argument bytes, __imp__<name>@<bytes>.
#ifdef _WIN64
#define IMPORT_SLOT(name, bytes) "__imp_" #name
#else
#define IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#endif

namespace {

int WINAPI fill_rect(HDC dc, const RECT *rect, HBRUSH brush)
{
    using FillRectFunction = int(WINAPI *)(HDC, const RECT *, HBRUSH);
    static const auto real =
        reinterpret_cast<FillRectFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "FillRect")));
    record_fill(rect);
    return real(dc, rect, brush);
}

} // namespace

extern "C" {
decltype(&SetCapture)
    set_capture_slot __asm__(IMPORT_SLOT(SetCapture, 4)) = record_set_capture;
decltype(&ReleaseCapture) release_capture_slot __asm__(
    IMPORT_SLOT(ReleaseCapture, 0)) = record_release_capture;
decltype(&PostMessageA) post_message_slot __asm__(
    IMPORT_SLOT(PostMessageA, 16)) = record_post_message;
decltype(&InvalidateRect) invalidate_rect_slot __asm__(
    IMPORT_SLOT(InvalidateRect, 12)) = record_invalidate_rect;
decltype(&FillRect) fill_rect_slot __asm__(IMPORT_SLOT(FillRect,
                                                       12)) = fill_rect;
}

HGDIOBJ selected_bitmap(HDC dc)
{
    return GetCurrentObject(dc, OBJ_BITMAP);
}
