// From Qt's input events to the words of Windows' input messages. Pure
// functions, so that they can be checked apart from any window.
#ifndef SCRIBBLET_PLATFORM_QT_INPUT_TRANSLATION_H
#define SCRIBBLET_PLATFORM_QT_INPUT_TRANSLATION_H

#include <QPointF>
#include <QString>
#include <Qt>
#include <string>

#include "platform/platform.h"

namespace scribblet::qt {

// A mouse message's wParam: the MK_ bits of the buttons and keys held.
WPARAM mouse_key_state(Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);

// A mouse message's lParam: the client position, each coordinate cut to a
// signed 16-bit value as Windows packs it. A position between pixels
// belongs to the pixel it lies in (on a scaled display a canvas pixel is
// several screen pixels wide).
LPARAM pack_position(const QPointF &client_position);

// The button message for a press or a release of button (WM_LBUTTONDOWN
// ...); 0 for the other buttons, which no window of the program takes. No
// class of the program asks for double clicks (CS_DBLCLKS), so a second
// press is an ordinary one.
UINT button_message(Qt::MouseButton button, bool press);

// The virtual-key code of a Qt key, 0 for a key without one here.
WPARAM virtual_key(int qt_key);

// The character text that a key makes (UTF-8): the event's own text, or,
// when the toolkit gives none (as with Alt held on some systems), the
// printable ASCII character of the key itself.
std::string key_text(int qt_key, const QString &event_text,
                     Qt::KeyboardModifiers modifiers);

// A key press's lParam: repeat count 1, the context bit (29) when Alt is
// held, and the previous-state bit (30) for a repeat.
LPARAM key_data(bool auto_repeat, bool alt);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_INPUT_TRANSLATION_H
