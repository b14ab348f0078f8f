#include "platform/qt/client_widget.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "platform/qt/input_translation.h"
#include "platform/winsys/window_peer.h"
#include "platform/winsys/window_system.h"

namespace scribblet::qt {

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

void ClientWidget::queue_button(QMouseEvent *event, bool press)
{
    const UINT message = button_message(event->button(), press);
    if (message == 0)
        return;
    winsys::queue_input(MSG{
        hwnd_, message, mouse_key_state(event->buttons(), event->modifiers()),
        pack_position(exact_position(event)), 0, POINT{}});
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
    winsys::queue_input(
        MSG{hwnd_, WM_MOUSEMOVE,
            mouse_key_state(event->buttons(), event->modifiers()),
            pack_position(exact_position(event)), 0, POINT{}});
    event->accept();
}

// Only presses become messages: no window of the program takes a key's
// release (WM_KEYUP), so Qt passes it on.
void ClientWidget::keyPressEvent(QKeyEvent *event)
{
    const WPARAM vk = virtual_key(event->key());
    const std::string text =
        key_text(event->key(), event->text(), event->modifiers());
    if (vk == 0 && text.empty()) {
        event->ignore();
        return;
    }
    // With Alt held a key is a system key: its character arrives as
    // WM_SYSCHAR, which is what Alt accelerators match.
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    winsys::toolkit_key(hwnd_, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk,
                        key_data(event->isAutoRepeat(), alt), text,
                        (event->modifiers() & Qt::ShiftModifier) != 0,
                        (event->modifiers() & Qt::ControlModifier) != 0, alt);
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
