// Finding the help page beside the program and handing its address to the
// browser.
#include "app/online_help.h"

#include <cstdio>
#include <cstring>

static BOOL is_separator(char c)
{
    return c == '/' || c == '\\';
}

// The position of the last separator in [begin, end), or NULL.
static LPCSTR last_separator(LPCSTR begin, LPCSTR end)
{
    while (end > begin) {
        --end;
        if (is_separator(*end))
            return end;
    }
    return NULL;
}

BOOL help_page_path(LPCSTR program_path, LPSTR page_path, DWORD size)
{
    LPCSTR end = program_path + strlen(program_path);
    LPCSTR program_folder = last_separator(program_path, end);
    if (program_folder == NULL)
        return FALSE;
    LPCSTR prefix_end = last_separator(program_path, program_folder);
    if (prefix_end == NULL)
        return FALSE;
    int prefix_length = (int)(prefix_end - program_path) + 1;
    int written = snprintf(page_path, size, "%.*s%s", prefix_length,
                           program_path, HELP_PAGE_RELATIVE_PATH);
    return written >= 0 && (DWORD)written < size;
}

static BOOL is_kept_in_url(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= '0' && c <= '9') || strchr("-._~/:", c) != NULL;
}

BOOL file_url_from_path(LPCSTR path, LPSTR url, DWORD size)
{
    static const char hex[] = "0123456789ABCDEF";
    // A drive-letter path ("C:\...") needs the third slash of "file:///".
    LPCSTR scheme = is_separator(path[0]) ? "file://" : "file:///";
    DWORD used = (DWORD)strlen(scheme);
    if (used >= size)
        return FALSE;
    memcpy(url, scheme, used);
    BOOL trail = FALSE;
    for (LPCSTR p = path; *p != '\0'; ++p) {
        // Characters beyond ASCII stay as they are: the shell reads the
        // address in the ANSI code page, and would take a percent-escaped
        // byte for a character of its own. The second byte of a double-byte
        // character may look like ASCII ('\\' in "ソ"): it goes with the first.
        BOOL as_is = (unsigned char)*p >= 0x80 || trail;
        trail = !trail && IsDBCSLeadByte((BYTE)*p);
        unsigned char c = (unsigned char)(*p == '\\' && !as_is ? '/' : *p);
        DWORD needed = as_is || is_kept_in_url(c) ? 1 : 3;
        if (used + needed >= size)
            return FALSE;
        if (needed == 1) {
            url[used++] = (char)c;
        } else {
            url[used++] = '%';
            url[used++] = hex[c >> 4];
            url[used++] = hex[c & 0x0F];
        }
    }
    url[used] = '\0';
    return TRUE;
}

static void report_missing_page(HWND owner, LPCSTR page_path)
{
    char text[MAX_PATH + 128];
    snprintf(text, sizeof text, "ヘルプページが見つかりません。\n%s",
             page_path);
    MessageBoxA(owner, text, "オンラインヘルプ", MB_OK | MB_ICONWARNING);
}

void online_help_open(HWND owner)
{
    char program_path[MAX_PATH];
    char page_path[MAX_PATH] = "";
    char url[3 * MAX_PATH + 16];
    DWORD length = GetModuleFileNameA(NULL, program_path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH ||
        !help_page_path(program_path, page_path, sizeof page_path) ||
        GetFileAttributesA(page_path) == INVALID_FILE_ATTRIBUTES ||
        !file_url_from_path(page_path, url, sizeof url)) {
        report_missing_page(owner, page_path);
        return;
    }
    ShellExecuteA(NULL, "open", url, NULL, NULL, SW_SHOW);
}
