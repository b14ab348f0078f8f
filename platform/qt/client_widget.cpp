#include "platform/qt/client_widget.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "platform/winsys/window_peer.h"

namespace scribblet::qt {
namespace {

// A mouse message's wParam: the buttons held. The program's strokes follow
// the left and the right button alone; nothing reads the other MK_ bits.
WPARAM buttons_held(Qt::MouseButtons buttons)
{
    return ((buttons & Qt::LeftButton) ? MK_LBUTTON : 0) |
           ((buttons & Qt::RightButton) ? MK_RBUTTON : 0);
}

// A mouse message's lParam: the client position, each coordinate cut to a
// signed 16-bit value as Windows packs it. A position between pixels
// belongs to the pixel it lies in (on a scaled display a canvas pixel is
// several screen pixels wide).
LPARAM pack_position(const QPointF &client_position)
{
    const auto x = static_cast<long long>(std::floor(client_position.x()));
    const auto y = static_cast<long long>(std::floor(client_position.y()));
    return MAKELPARAM(x, y);
}

// The button message for a press or a release; 0 for the other buttons,
// which no window of the program takes. No class of the program asks for
// double clicks (CS_DBLCLKS), so a second press is an ordinary one.
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

// The virtual keys that a window of the program reads: a dialog's Enter
// and Escape. Other keys arrive with 0 and the character they make.
WPARAM virtual_key(int qt_key)
{
    switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    default:
        return 0;
    }
}

} // namespace

QPointF ClientWidget::exact_position(const QMouseEvent *event) const
{
    // On a scaled display a pointer position falls inside a surface pixel
    // and must be taken to that pixel. Qt rounds the position it hands a
    // widget to whole (device-independent) pixels, which would put the
    // right half of a pixel on the next one; the position in the window
    // (the scene) keeps the fraction. An event made for the widget alone
    // has no scene of its own: there the widget's position stands.
    const QPointF in_scene = mapFrom(window(), event->scenePosition());
    const QPointF rounding = in_scene - event->position();
    const bool same_point =
        std::abs(rounding.x()) <= 0.5 && std::abs(rounding.y()) <= 0.5;
    return same_point ? in_scene : event->position();
}

ClientWidget::ClientWidget(HWND hwnd, QWidget *parent)
    : QWidget(parent), hwnd_(hwnd)
{
    // Every move reaches the window, with a button held or not.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ClientWidget::paintEvent(QPaintEvent *event)
{
    // The window's own painting went to its backing surface; here it is
    // only shown again. Nothing is invalidated, so a repaint that the
    // program caused cannot cause another.
    const winsys::SurfaceView surface = winsys::surface_of(hwnd_);
    if (surface.pixels == nullptr)
        return;
    const QImage image(surface.pixels, surface.width, surface.height,
                       static_cast<qsizetype>(surface.stride),
                       QImage::Format_RGB32);
    QPainter painter(this);
    // On a scaled display each surface pixel becomes a crisp block.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect area = event->rect() & image.rect();
    painter.drawImage(area, image, area);
}

void ClientWidget::queue_mouse(const QMouseEvent *event, UINT message)
{
    winsys::toolkit_mouse(hwnd_, message, buttons_held(event->buttons()),
                          pack_position(exact_position(event)));
}

void ClientWidget::queue_button(QMouseEvent *event, bool press)
{
    const UINT message = button_message(event->button(), press);
    if (message != 0)
        queue_mouse(event, message);
    event->accept();
}

void ClientWidget::mousePressEvent(QMouseEvent *event)
{
    pressed_ |= event->button();
    queue_button(event, true);
}

void ClientWidget::mouseReleaseEvent(QMouseEvent *event)
{
    pressed_ &= ~event->button();
    queue_button(event, false);
}

void ClientWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt reports the second press of a double click as a press and then as
    // this event (some sources send this event alone: it then stands for
    // the press). Without CS_DBLCLKS the second press is an ordinary one,
    // so no click is lost.
    if ((pressed_ & event->button()) == 0) {
        pressed_ |= event->button();
        queue_button(event, true);
    }
    event->accept();
}

void ClientWidget::mouseMoveEvent(QMouseEvent *event)
{
    queue_mouse(event, WM_MOUSEMOVE);
    event->accept();
}

// Only presses become messages: no window of the program takes a key's
// release (WM_KEYUP), so Qt passes it on. With Alt held a key is a system
// key: its character arrives as WM_SYSCHAR, which is what Alt accelerators
// match. The key data is a repeat count of 1, with the context bit (29)
// when Alt is held.
void ClientWidget::keyPressEvent(QKeyEvent *event)
{
    const WPARAM vk = virtual_key(event->key());
    const std::string text = event->text().toStdString();
    if (vk == 0 && text.empty()) {
        event->ignore();
        return;
    }
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    winsys::toolkit_key(hwnd_, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk,
                        alt ? (1 << 29) | 1 : 1, text);
    event->accept();
}

bool ClientWidget::focusNextPrevChild(bool next)
{
    // Tab belongs to the window (a dialog moves the focus itself) unless a
    // control inside takes it.
    if (findChildren<QWidget *>().isEmpty())
        return false;
    return QWidget::focusNextPrevChild(next);
}

} // namespace scribblet::qt
