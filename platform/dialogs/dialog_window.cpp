#include "platform/dialogs/dialog_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/dialogs/controls.h"
#include "platform/dialogs/dialog_font.h"
#include "platform/qt/peers.h"
#include "platform/winsys/dialog_support.h"

namespace scribblet::dialogs {
namespace {

// Moves one coordinate so that [start, start + size) lies within
// [low, low + room) where it can; a window larger than the screen keeps its
// top or left edge on it.
int keep_within(int start, int size, int low, int room)
{
    return std::max(low, std::min(start, low + room - size));
}

// The work area of the screen that the point lies on, or of the primary
// screen when it lies on none (the owner moved partly off the screens).
UnitRect screen_around(POINT point)
{
    const QScreen *screen = QGuiApplication::screenAt(QPoint(point.x, point.y));
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    return {area.x(), area.y(), area.width(), area.height()};
}

bool create_control(HWND dialog_window, const resources::DialogItem &item,
                    HINSTANCE instance, const QFont &font,
                    DialogBaseUnits units)
{
    const UnitRect rect =
        dlu_rect_to_pixels({item.x, item.y, item.cx, item.cy}, units);
    ControlRecipe recipe{&item, instance, &font};
    const std::string text =
        item.title.is_ordinal ? std::string() : item.title.text;
    return CreateWindowExA(
               0, control_class_name(item.class_ordinal), text.c_str(),
               item.style | WS_CHILD, rect.x, rect.y, rect.cx, rect.cy,
               dialog_window,
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
    register_control_classes();
    const DialogBaseUnits units = measure_base_units(font);
    const POINT origin =
        owner != nullptr ? winsys::client_origin(owner) : POINT{0, 0};
    const UnitRect place =
        place_dialog(dialog, units, origin, screen_around(origin));
    // Created hidden: the modal loop shows it once it is ready. A dialog
    // has neither menu bar nor scroll bars: its window rectangle is its
    // client area (the window manager's frame lies outside).
    const DWORD style = (dialog.style & ~(WS_VISIBLE | WS_CHILD)) | WS_POPUP;
    const HWND hwnd = CreateWindowExA(
        0, window_class, dialog.title.c_str(), style, place.x, place.y,
        place.cx, place.cy, owner, nullptr, instance, nullptr);
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
