#include "platform/qt/input_translation.h"

#include <cmath>

namespace scribblet::qt {

WPARAM mouse_key_state(Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers)
{
    WPARAM state = 0;
    if (buttons & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        state |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        state |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        state |= MK_CONTROL;
    return state;
}

LPARAM pack_position(const QPointF &client_position)
{
    const auto x = static_cast<long long>(std::floor(client_position.x()));
    const auto y = static_cast<long long>(std::floor(client_position.y()));
    return MAKELPARAM(x, y);
}

UINT button_message(Qt::MouseButton button, bool press)
{
    switch (button) {
    case Qt::LeftButton:
        return press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton:
        return press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default:
        return 0;
    }
}

WPARAM virtual_key(int qt_key)
{
    // Letters and digits are their own (upper-case) codes.
    if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
        (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9))
        return static_cast<WPARAM>(qt_key);
    switch (qt_key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 0xBF; // VK_OEM_2, the "/?" key of a US keyboard
    default:
        return 0;
    }
}

std::string key_text(int qt_key, const QString &event_text,
                     Qt::KeyboardModifiers modifiers)
{
    if (!event_text.isEmpty())
        return event_text.toStdString();
    if (qt_key < Qt::Key_Space || qt_key > Qt::Key_AsciiTilde)
        return {};
    char c = static_cast<char>(qt_key);
    // Qt names letter keys by their capitals.
    if (c >= 'A' && c <= 'Z' && !(modifiers & Qt::ShiftModifier))
        c = static_cast<char>(c - 'A' + 'a');
    return std::string(1, c);
}

LPARAM key_data(bool auto_repeat, bool alt)
{
    DWORD data = 1;
    if (alt)
        data |= 1u << 29;
    if (auto_repeat)
        data |= 1u << 30;
    return static_cast<LPARAM>(data);
}

} // namespace scribblet::qt
