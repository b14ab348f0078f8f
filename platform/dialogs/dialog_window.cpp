#include "platform/dialogs/dialog_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/dialogs/controls.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_system.h"

namespace scribblet::dialogs {
namespace {

// Moves one coordinate so that [start, start + size) lies within
// [low, low + room) where it can; a window larger than the screen keeps its
// top or left edge on it.
int keep_within(int start, int size, int low, int room)
{
    return std::max(low, std::min(start, low + room - size));
}

UnitRect screen_around(POINT point)
{
    const QScreen *screen = QGuiApplication::screenAt(QPoint(point.x, point.y));
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {0, 0, 0x7FFF, 0x7FFF};
    const QRect area = screen->availableGeometry();
    return {area.x(), area.y(), area.width(), area.height()};
}

// The difference between the window rectangle and the client rectangle,
// which the Qt edge decides (a dialog has no menu bar or scroll bars).
POINT frame_extra(HWND hwnd)
{
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return {(window.right - window.left) - (client.right - client.left),
            (window.bottom - window.top) - (client.bottom - client.top)};
}

HWND create_frame(const resources::DialogTemplate &dialog, HINSTANCE instance,
                  HWND owner, const UnitRect &place, const char *window_class)
{
    // Created hidden: the modal loop shows it once it is ready.
    const DWORD style = (dialog.style & ~(WS_VISIBLE | WS_CHILD)) | WS_POPUP;
    const HWND hwnd = CreateWindowExA(
        0, window_class, dialog.title.c_str(), style, place.x, place.y,
        place.cx, place.cy, owner, nullptr, instance, nullptr);
    if (hwnd == nullptr)
        return nullptr;
    const POINT extra = frame_extra(hwnd);
    if (extra.x != 0 || extra.y != 0)
        SetWindowPos(hwnd, nullptr, 0, 0, place.cx + extra.x,
                     place.cy + extra.y,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return hwnd;
}

bool create_control(HWND dialog_window, const resources::DialogItem &item,
                    HINSTANCE instance, const QFont &font,
                    DialogBaseUnits units)
{
    const char *class_name = control_class_name(item.class_ordinal);
    if (class_name == nullptr)
        return false;
    const UnitRect rect =
        dlu_rect_to_pixels({item.x, item.y, item.cx, item.cy}, units);
    ControlRecipe recipe{&item, instance, &font};
    const std::string text =
        item.title.is_ordinal ? std::string() : item.title.text;
    return CreateWindowExA(
               0, class_name, text.c_str(), item.style | WS_CHILD, rect.x,
               rect.y, rect.cx, rect.cy, dialog_window,
               reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(item.id)),
               instance, &recipe) != nullptr;
}

} // namespace

UnitRect place_dialog(const resources::DialogTemplate &dialog,
                      DialogBaseUnits units, POINT owner_client_origin,
                      const UnitRect &screen)
{
    UnitRect place{owner_client_origin.x + dlu_to_pixels_x(dialog.x, units),
                   owner_client_origin.y + dlu_to_pixels_y(dialog.y, units),
                   dlu_to_pixels_x(dialog.cx, units),
                   dlu_to_pixels_y(dialog.cy, units)};
    place.x = keep_within(place.x, place.cx, screen.x, screen.cx);
    place.y = keep_within(place.y, place.cy, screen.y, screen.cy);
    return place;
}

HWND create_dialog_window(const resources::DialogTemplate &dialog,
                          HINSTANCE instance, HWND owner, const QFont &font,
                          const char *window_class)
{
    if (!register_control_classes())
        return nullptr;
    const DialogBaseUnits units = measure_base_units(font);
    const POINT origin =
        owner != nullptr ? winsys::client_origin(owner) : POINT{0, 0};
    const UnitRect place =
        place_dialog(dialog, units, origin, screen_around(origin));
    const HWND hwnd =
        create_frame(dialog, instance, owner, place, window_class);
    if (hwnd == nullptr)
        return nullptr;
    // Keys reach the dialog through its controls; Tab goes round them
    // alone, never through the dialog's own client area.
    if (QWidget *client = qt::window_widget(hwnd)) {
        client->setFont(font);
        client->setFocusPolicy(Qt::NoFocus);
    }
    for (const resources::DialogItem &item : dialog.items) {
        if (!create_control(hwnd, item, instance, font, units)) {
            DestroyWindow(hwnd);
            return nullptr;
        }
    }
    return hwnd;
}

} // namespace scribblet::dialogs
