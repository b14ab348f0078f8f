// The Qt widget of a top-level window's client area: shows the window's
// backing surface and turns the user's mouse and keyboard input into the
// window's input messages.
#ifndef SCRIBBLET_PLATFORM_QT_CLIENT_WIDGET_H
#define SCRIBBLET_PLATFORM_QT_CLIENT_WIDGET_H

#include <QWidget>

#include "platform/platform.h"

namespace scribblet::qt {

class ClientWidget : public QWidget {
public:
    ClientWidget(HWND hwnd, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void queue_mouse(const QMouseEvent *event, UINT message);
    void queue_button(QMouseEvent *event, bool press);
    QPointF exact_position(const QMouseEvent *event) const;

    HWND hwnd_;
    Qt::MouseButtons pressed_; // buttons whose press has been queued
};

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_CLIENT_WIDGET_H
