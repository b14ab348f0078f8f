// The Qt top-level widget of a top-level window: the menu bar, the client
// area and the scroll bars that the window's style asks for. Its geometry
// (without the window manager's decoration) is the window rectangle.
#ifndef SCRIBBLET_PLATFORM_QT_TOP_LEVEL_WINDOW_H
#define SCRIBBLET_PLATFORM_QT_TOP_LEVEL_WINDOW_H

#include <QScrollBar>
#include <QWidget>

#include "platform/platform.h"
#include "platform/qt/client_widget.h"
#include "platform/qt/menu_bar.h"
#include "platform/winsys/window_peer.h"

namespace scribblet::qt {

// The same rectangle as Qt and as Windows keep it (Windows' right and
// bottom edges lie just outside).
inline RECT to_rect(const QRect &r)
{
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
inline QRect to_qrect(const RECT &r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

class TopLevelWindow : public QWidget {
public:
    TopLevelWindow(HWND hwnd, const winsys::PeerLook &look, QWidget *owner);

    ClientWidget *client() const
    {
        return client_;
    }
    MenuBar *menu_bar() const
    {
        return menu_bar_;
    }
    QScrollBar *scroll_bar(int bar) const
    {
        return bar == SB_HORZ ? horizontal_ : vertical_;
    }

    // The frame around the client area at a given outer width; known before
    // the window is ever shown.
    winsys::FrameInsets insets_at(int width) const;
    // Gives the window the geometry that the window system decided on,
    // without reporting it back as the user's doing; by_frame places the
    // window manager's frame, not the client area, at its corner.
    void place(const QRect &geometry, bool by_frame);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void lay_out();
    void report_geometry();

    HWND hwnd_;
    bool placing_ = false;
    MenuBar *menu_bar_ = nullptr;
    ClientWidget *client_ = nullptr;
    QScrollBar *horizontal_ = nullptr;
    QScrollBar *vertical_ = nullptr;
    QWidget *corner_ = nullptr;
};

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_TOP_LEVEL_WINDOW_H
