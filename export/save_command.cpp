// The save command: the common save dialog, the canvas read out, and the
// writer that the chosen type entry names.
#include "export/save_command.h"

#include <cstdio>
#include <cstdlib>

#include "canvas/canvas.h"
#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"

// Label and pattern of each entry, in entry order; the list ends with an
// empty string.
static const char SAVE_FILTER[] =
    "24ビット ビットマップファイル (*.bmp)\0*.bmp\0"
    "Jpegファイル (*.jpg)\0*.jpg\0"
    "すべてのファイル (*.*)\0*.*\0";

static const char SAVE_FAILED_CAPTION[] = "保存できません";

static void report(HWND owner, LPCSTR text)
{
    MessageBoxA(owner, text, SAVE_FAILED_CAPTION, MB_OK | MB_ICONERROR);
}

// Names the file and the cause, and the JPEG library's own words when it
// stopped with an error, or the file that holds the drawing when the old
// file is gone.
static void report_failure(HWND owner, LPCSTR file_name,
                           const WriteResult *result)
{
    char text[2 * MAX_PATH + 512];
    int length = snprintf(text, sizeof text,
                          "ファイル「%s」を保存できませんでした。\n%s",
                          file_name, write_failure_text(result->failure));
    size_t left = length > 0 && (size_t)length < sizeof text
                      ? sizeof text - (size_t)length
                      : 0;
    if (left > 0 && result->library_message[0] != '\0')
        snprintf(text + length, left, "\n(%s)", result->library_message);
    else if (left > 0 && result->kept_file[0] != '\0')
        snprintf(text + length, left, "\n%s", result->kept_file);
    report(owner, text);
}

static void fill_save_dialog(OPENFILENAMEA *ofn, HWND owner, HINSTANCE instance,
                             LPSTR file_name)
{
    *ofn = OPENFILENAMEA();
    ofn->lStructSize = sizeof(OPENFILENAMEA);
    ofn->hwndOwner = owner;
    ofn->hInstance = instance;
    ofn->lpstrFilter = SAVE_FILTER;
    ofn->nFilterIndex = SAVE_TYPE_BMP;
    ofn->lpstrFile = file_name;
    ofn->nMaxFile = MAX_PATH;
    ofn->Flags = OFN_OVERWRITEPROMPT;
    ofn->lpstrDefExt = ".bmp";
}

// Asks for the name and the type entry until the user chooses a name that
// fits the buffer, or cancels. FALSE on cancel (or when the dialog fails).
static BOOL ask_file_name(HWND owner, HINSTANCE instance, LPSTR file_name,
                          DWORD *type)
{
    for (;;) {
        OPENFILENAMEA ofn;
        file_name[0] = '\0';
        fill_save_dialog(&ofn, owner, instance, file_name);
        if (GetSaveFileNameA(&ofn)) {
            *type = ofn.nFilterIndex;
            return TRUE;
        }
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            return FALSE;
        report(owner, "選んだファイルのパスが長すぎます。"
                      "259文字以内に収まる名前を選び直して下さい");
    }
}

// Packed RGB rows, top row first, from a read-out of 4-byte pixels (blue,
// green, red, spare). NULL when the buffer cannot be allocated.
static BYTE *rgb_from_read_out(const BYTE *read_out, size_t pixels)
{
    BYTE *rgb = (BYTE *)malloc(pixels * 3 > 0 ? pixels * 3 : 1);
    if (rgb == NULL)
        return NULL;
    for (size_t i = 0; i < pixels; ++i) {
        rgb[3 * i] = read_out[4 * i + 2];
        rgb[3 * i + 1] = read_out[4 * i + 1];
        rgb[3 * i + 2] = read_out[4 * i];
    }
    return rgb;
}

static WriteResult write_jpeg_from(LPCSTR file_name, const BYTE *read_out)
{
    size_t pixels = canvas_byte_count() / 4;
    BYTE *rgb = rgb_from_read_out(read_out, pixels);
    if (rgb == NULL)
        return write_result(WRITE_NO_MEMORY);
    WriteResult result =
        write_jpeg(file_name, rgb, g_canvas.width, g_canvas.height);
    free(rgb);
    return result;
}

static WriteResult write_canvas(LPCSTR file_name, DWORD type)
{
    BYTE *read_out = canvas_read_out();
    if (read_out == NULL)
        return write_result(WRITE_NO_MEMORY);
    WriteResult result =
        type == SAVE_TYPE_JPEG
            ? write_jpeg_from(file_name, read_out)
            : write_bmp(file_name, read_out, g_canvas.width, g_canvas.height);
    free(read_out);
    return result;
}

void save_command(HWND owner, HINSTANCE instance)
{
    char file_name[MAX_PATH];
    DWORD type = SAVE_TYPE_BMP;
    if (!ask_file_name(owner, instance, file_name, &type))
        return;

    // A large canvas takes seconds.
    HCURSOR previous = SetCursor(LoadCursorA(NULL, IDC_WAIT));
    WriteResult result = write_canvas(file_name, type);
    SetCursor(previous);

    if (result.failure != WRITE_OK)
        report_failure(owner, file_name, &result);
}
