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
int KeepWithin(int start, int size, int low, int room)
{
    return std::max(low, std::min(start, low + room - size));
}

UnitRect ScreenAround(POINT point)
{
    const QScreen *screen =
        QGuiApplication::screenAt(QPoint(point.x, point.y));
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {0, 0, 0x7FFF, 0x7FFF};
    const QRect area = screen->availableGeometry();
    return {area.x(), area.y(), area.width(), area.height()};
}

// The difference between the window rectangle and the client rectangle,
// which the Qt edge decides (a dialog has no menu bar or scroll bars).
POINT FrameExtra(HWND hwnd)
{
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return {(window.right - window.left) - (client.right - client.left),
            (window.bottom - window.top) - (client.bottom - client.top)};
}

HWND CreateFrame(const resources::DialogTemplate &dialog, HINSTANCE instance,
                 HWND owner, const UnitRect &place, const char *windowClass)
{
    // Created hidden: the modal loop shows it once it is ready.
    const DWORD style = (dialog.style & ~(WS_VISIBLE | WS_CHILD)) | WS_POPUP;
    const HWND hwnd = CreateWindowExA(
        dialog.ex_style, windowClass, dialog.title.c_str(), style, place.x,
        place.y, place.cx, place.cy, owner, nullptr, instance, nullptr);
    if (hwnd == nullptr)
        return nullptr;
    const POINT extra = FrameExtra(hwnd);
    if (extra.x != 0 || extra.y != 0)
        SetWindowPos(hwnd, nullptr, 0, 0, place.cx + extra.x,
                     place.cy + extra.y,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return hwnd;
}

bool CreateControl(HWND dialogWindow, const resources::DialogItem &item,
                   HINSTANCE instance, const QFont &font,
                   DialogBaseUnits units)
{
    const char *className =
        ControlClassName(resources::predefined_class_ordinal(item.window_class));
    if (className == nullptr)
        return false;
    const UnitRect rect =
        DluRectToPixels({item.x, item.y, item.cx, item.cy}, units);
    ControlRecipe recipe{&item, instance, &font};
    const std::string text =
        item.title.is_ordinal ? std::string() : item.title.text;
    return CreateWindowExA(item.ex_style, className, text.c_str(),
                           item.style | WS_CHILD, rect.x, rect.y, rect.cx,
                           rect.cy, dialogWindow,
                           reinterpret_cast<HMENU>(
                               static_cast<std::uintptr_t>(item.id)),
                           instance, &recipe) != nullptr;
}

} // namespace

UnitRect PlaceDialog(const resources::DialogTemplate &dialog,
                     DialogBaseUnits units, POINT ownerClientOrigin,
                     const UnitRect &screen)
{
    UnitRect place{ownerClientOrigin.x + DluToPixelsX(dialog.x, units),
                   ownerClientOrigin.y + DluToPixelsY(dialog.y, units),
                   DluToPixelsX(dialog.cx, units),
                   DluToPixelsY(dialog.cy, units)};
    if ((dialog.style & DS_CENTER) != 0) {
        place.x = screen.x + (screen.cx - place.cx) / 2;
        place.y = screen.y + (screen.cy - place.cy) / 2;
    }
    place.x = KeepWithin(place.x, place.cx, screen.x, screen.cx);
    place.y = KeepWithin(place.y, place.cy, screen.y, screen.cy);
    return place;
}

HWND CreateDialogWindow(const resources::DialogTemplate &dialog,
                        HINSTANCE instance, HWND owner, const QFont &font,
                        const char *windowClass)
{
    if (!RegisterControlClasses())
        return nullptr;
    const DialogBaseUnits units = MeasureBaseUnits(font);
    const POINT origin =
        owner != nullptr ? winsys::client_origin(owner) : POINT{0, 0};
    const UnitRect place =
        PlaceDialog(dialog, units, origin, ScreenAround(origin));
    const HWND hwnd = CreateFrame(dialog, instance, owner, place, windowClass);
    if (hwnd == nullptr)
        return nullptr;
    // Keys reach the dialog through its controls; Tab goes round them
    // alone, never through the dialog's own client area.
    if (QWidget *client = qt::window_widget(hwnd)) {
        client->setFont(font);
        client->setFocusPolicy(Qt::NoFocus);
    }
    for (const resources::DialogItem &item : dialog.items) {
        if (!CreateControl(hwnd, item, instance, font, units)) {
            DestroyWindow(hwnd);
            return nullptr;
        }
    }
    return hwnd;
}

} // namespace scribblet::dialogs
