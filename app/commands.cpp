// The command handler: File (Save, Exit), each button's colour and pen size,
// Help (online help, About).
#include "app/commands.h"

#include "res/resource.h"

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/online_help.h"
#include "canvas/pen.h"
#include "export/save_command.h"

// The menu items of one button's pen. Its five colour commands and its three
// size presets each have consecutive ids.
struct PenMenu {
    PenTool *pen;
    UINT first_colour; // white, black, red, green, blue
    UINT enlarge;
    UINT shrink;
    UINT first_preset; // sizes 1, 3, 5
};

static const COLORREF COLOURS_BY_COMMAND[] = {
    PEN_COLOUR_WHITE, PEN_COLOUR_BLACK, PEN_COLOUR_RED,
    PEN_COLOUR_GREEN, PEN_COLOUR_BLUE,
};
static const LONG PRESETS_BY_COMMAND[] = {
    PEN_SIZE_SMALL,
    PEN_SIZE_MEDIUM,
    PEN_SIZE_LARGE,
};

static const PenMenu LEFT_PEN_MENU = {
    &g_left_pen,     IDM_LEFT_WHITE, IDM_LEFT_ENLARGE,
    IDM_LEFT_SHRINK, IDM_LEFT_SIZE1,
};
static const PenMenu RIGHT_PEN_MENU = {
    &g_right_pen,     IDM_RIGHT_WHITE, IDM_RIGHT_ENLARGE,
    IDM_RIGHT_SHRINK, IDM_RIGHT_SIZE1,
};

static void enable_item(HMENU menu, UINT id, BOOL enabled)
{
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Grays Enlarge at the largest size and Shrink at the smallest.
static void update_size_items(HWND hwnd, const PenMenu *items)
{
    HMENU menu = GetMenu(hwnd);
    enable_item(menu, items->enlarge, items->pen->size < PEN_SIZE_MAX);
    enable_item(menu, items->shrink, items->pen->size > PEN_SIZE_MIN);
}

static void run_pen_command(HWND hwnd, const PenMenu *items, UINT id)
{
    if (id == items->enlarge) {
        pen_enlarge(items->pen);
        update_size_items(hwnd, items);
    } else if (id == items->shrink) {
        pen_shrink(items->pen);
        update_size_items(hwnd, items);
    } else if (id >= items->first_preset) {
        // A preset leaves Enlarge and Shrink greyed or enabled as they
        // were, even where the new size would change that: after Shrink
        // down to 1, size 5 leaves Shrink greyed until Enlarge is used.
        pen_set_size(items->pen, PRESETS_BY_COMMAND[id - items->first_preset]);
    } else {
        pen_set_colour(items->pen,
                       COLOURS_BY_COMMAND[id - items->first_colour]);
    }
}

BOOL commands_run(HWND hwnd, UINT id)
{
    switch (id) {
    case IDM_ABOUT:
        about_box_show(hwnd);
        return TRUE;
    case IDM_EXIT:
        DestroyWindow(hwnd);
        return TRUE;
    case IDM_SAVE:
        save_command(hwnd, g_instance);
        return TRUE;
    case IDM_ONLINE_HELP:
        online_help_open(hwnd);
        return TRUE;
    case IDM_LEFT_WHITE:
    case IDM_LEFT_BLACK:
    case IDM_LEFT_RED:
    case IDM_LEFT_GREEN:
    case IDM_LEFT_BLUE:
    case IDM_LEFT_ENLARGE:
    case IDM_LEFT_SHRINK:
    case IDM_LEFT_SIZE1:
    case IDM_LEFT_SIZE3:
    case IDM_LEFT_SIZE5:
        run_pen_command(hwnd, &LEFT_PEN_MENU, id);
        return TRUE;
    case IDM_RIGHT_WHITE:
    case IDM_RIGHT_BLACK:
    case IDM_RIGHT_RED:
    case IDM_RIGHT_GREEN:
    case IDM_RIGHT_BLUE:
    case IDM_RIGHT_ENLARGE:
    case IDM_RIGHT_SHRINK:
    case IDM_RIGHT_SIZE1:
    case IDM_RIGHT_SIZE3:
    case IDM_RIGHT_SIZE5:
        run_pen_command(hwnd, &RIGHT_PEN_MENU, id);
        return TRUE;
    }
    return FALSE;
}
