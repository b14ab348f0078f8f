// The canvas-size dialog's procedure: two fields, 800 in each at the start;
// OK (or Enter) takes the numbers once both read as a size the program can
// hold, Cancel (Escape or the close box) takes 800 × 800.
#include "app/canvas_size_dialog.h"

#include "res/resource.h"

#include "app/main_window.h"
#include "canvas/canvas.h"

static const DWORD DEFAULT_SIDE = 800;

// The too-large message states the limits in figures; they come from the
// limits themselves.
#define SIZE_FIGURE(limit) #limit
#define SIZE_FIGURE_OF(limit) SIZE_FIGURE(limit)
static_assert(CANVAS_SIZE_MAX_PIXELS == CANVAS_MAX_BYTES / 4,
              "the pixel limit is the byte limit in 4-byte pixels");
static const char TOO_LARGE_TEXT[] =
    "描画領域が大きすぎます。"
    "幅と高さはそれぞれ" SIZE_FIGURE_OF(
        CANVAS_SIZE_MAX_SIDE) "以下、"
                              "幅×高さは" SIZE_FIGURE_OF(
                                  CANVAS_SIZE_MAX_PIXELS) "以下にして下さい";

// Where the numbers go; kept from WM_INITDIALOG until the dialog ends.
static CanvasSizeRecord *s_record;

BOOL canvas_size_fits(DWORD width, DWORD height)
{
    if (width > CANVAS_SIZE_MAX_SIDE || height > CANVAS_SIZE_MAX_SIDE)
        return FALSE;
    return (unsigned long long)width * height <= CANVAS_SIZE_MAX_PIXELS;
}

void canvas_size_ask(HWND owner, CanvasSizeRecord *record)
{
    // The dialog overwrites both fields whenever it runs; these are what the
    // caller finds should it fail to open at all.
    record->width = DEFAULT_SIDE;
    record->height = DEFAULT_SIDE;
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_CANVAS_SIZE), owner,
                    canvas_size_dialog_proc, (LPARAM)record);
}

static void complain(HWND dialog, LPCSTR text, LPCSTR caption)
{
    MessageBoxA(dialog, text, caption, MB_OK);
}

// The OK steps. Returns TRUE when the dialog has ended.
static BOOL accept_size(HWND dialog)
{
    BOOL read = FALSE;
    UINT width = GetDlgItemInt(dialog, IDC_WIDTH, &read, FALSE);
    if (!read) {
        complain(dialog, "幅の入力に不適な文字が混入しています", "不適な文字");
        return FALSE;
    }
    UINT height = GetDlgItemInt(dialog, IDC_HEIGHT, &read, FALSE);
    if (!read) {
        complain(dialog, "高さの入力に不適な文字が混入しています",
                 "不適な文字");
        return FALSE;
    }
    if (!canvas_size_fits(width, height)) {
        complain(dialog, TOO_LARGE_TEXT, "不適なサイズ");
        return FALSE;
    }
    s_record->width = width;
    s_record->height = height;
    EndDialog(dialog, IDOK);
    return TRUE;
}

static BOOL cancel(HWND dialog)
{
    s_record->width = DEFAULT_SIDE;
    s_record->height = DEFAULT_SIDE;
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

INT_PTR CALLBACK canvas_size_dialog_proc(HWND dialog, UINT message,
                                         WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        s_record = (CanvasSizeRecord *)lParam;
        SetDlgItemInt(dialog, IDC_WIDTH, DEFAULT_SIDE, TRUE);
        SetDlgItemInt(dialog, IDC_HEIGHT, DEFAULT_SIDE, TRUE);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            return accept_size(dialog);
        case IDCANCEL:
            return cancel(dialog);
        }
        return FALSE;
    }
    return FALSE;
}
