// The Qt widget of a window's client area: shows the window's backing
// surface and turns the user's mouse and keyboard input into the window's
// input messages. A child window's widget is one of these too, as the
// container that its control fills.
#ifndef SCRIBBLET_PLATFORM_QT_CLIENT_WIDGET_H
#define SCRIBBLET_PLATFORM_QT_CLIENT_WIDGET_H

#include <QWidget>

#include "platform/platform.h"

namespace scribblet::qt {

class ClientWidget : public QWidget {
public:
    ClientWidget(HWND hwnd, QWidget *parent);
    HWND hwnd() const
    {
        return hwnd_;
    }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void queue_button(QMouseEvent *event, bool press);
    QPointF exact_position(const QMouseEvent *event) const;

    HWND hwnd_;
    Qt::MouseButtons pressed_; // buttons whose press has been queued
};

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_CLIENT_WIDGET_H
