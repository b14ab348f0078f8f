#include "platform/qt/top_level_window.h"

#include <QCloseEvent>
#include <QStyle>
#include <QWindow>

#include "platform/qt/qt_icon.h"

namespace scribblet::qt {
namespace {

// Every window of the program has a caption (WS_CAPTION); the buttons on it
// are those its style asks for.
Qt::WindowFlags flags_for(DWORD style, bool owned)
{
    Qt::WindowFlags flags = owned ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((style & WS_SYSMENU) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((style & WS_MINIMIZEBOX) != 0)
            flags |= Qt::WindowMinimizeButtonHint;
        if ((style & WS_MAXIMIZEBOX) != 0)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

QScrollBar *make_scroll_bar(Qt::Orientation orientation, QWidget *parent)
{
    auto *bar = new QScrollBar(orientation, parent);
    // The bars only signal that part of the client is hidden: no range.
    bar->setRange(0, 0);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

int scroll_bar_extent(const QWidget *bar)
{
    return bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
}

} // namespace

TopLevelWindow::TopLevelWindow(HWND hwnd, const winsys::PeerLook &look,
                               QWidget *owner)
    : QWidget(owner, flags_for(look.style, owner != nullptr)), hwnd_(hwnd)
{
    setWindowTitle(QString::fromStdString(look.title));
    const QIcon icon = qt_icon(look.icon);
    if (!icon.isNull())
        setWindowIcon(icon);
    if (look.menu != nullptr)
        menu_bar_ = new MenuBar(hwnd, *look.menu, this);
    client_ = new ClientWidget(hwnd, this);
    if ((look.style & WS_HSCROLL) != 0)
        horizontal_ = make_scroll_bar(Qt::Horizontal, this);
    if ((look.style & WS_VSCROLL) != 0)
        vertical_ = make_scroll_bar(Qt::Vertical, this);
    if (horizontal_ != nullptr && vertical_ != nullptr)
        corner_ = new QWidget(this);
    setFocusProxy(client_);
    // The frame's parts take their real sizes now, not when first shown.
    ensurePolished();
    for (QWidget *part : findChildren<QWidget *>())
        part->ensurePolished();
}

winsys::FrameInsets TopLevelWindow::insets_at(int width) const
{
    winsys::FrameInsets f;
    if (menu_bar_ != nullptr)
        f.top = menu_bar_->heightForWidth(std::max(width, 1));
    if (vertical_ != nullptr)
        f.right = scroll_bar_extent(vertical_);
    if (horizontal_ != nullptr)
        f.bottom = scroll_bar_extent(horizontal_);
    return f;
}

void TopLevelWindow::lay_out()
{
    const winsys::FrameInsets f = insets_at(width());
    const int client_width = std::max(width() - f.right, 0);
    const int client_height = std::max(height() - f.top - f.bottom, 0);
    if (menu_bar_ != nullptr)
        menu_bar_->setGeometry(0, 0, width(), f.top);
    client_->setGeometry(0, f.top, client_width, client_height);
    if (vertical_ != nullptr)
        vertical_->setGeometry(client_width, f.top, f.right, client_height);
    if (horizontal_ != nullptr)
        horizontal_->setGeometry(0, f.top + client_height, client_width,
                                 f.bottom);
    if (corner_ != nullptr)
        corner_->setGeometry(client_width, f.top + client_height, f.right,
                             f.bottom);
}

// Qt places the frame of a window without a native window yet when it is
// moved; one that has it (the owner of a dialog shown before it) is placed
// through its QWindow, given the size too so that showing the widget does
// not give it a geometry again.
void TopLevelWindow::place(const QRect &geometry, bool by_frame)
{
    placing_ = true;
    if (!by_frame) {
        setGeometry(geometry);
    } else if (QWindow *window = windowHandle()) {
        resize(geometry.size());
        window->resize(geometry.size());
        window->setFramePosition(geometry.topLeft());
    } else {
        resize(geometry.size());
        move(geometry.topLeft());
    }
    placing_ = false;
}

void TopLevelWindow::report_geometry()
{
    if (placing_)
        return;
    const int kind = isMinimized()   ? SIZE_MINIMIZED
                     : isMaximized() ? SIZE_MAXIMIZED
                                     : SIZE_RESTORED;
    winsys::toolkit_window_moved(hwnd_, to_rect(geometry()), kind);
}

void TopLevelWindow::resizeEvent(QResizeEvent *)
{
    lay_out();
    report_geometry();
}

void TopLevelWindow::moveEvent(QMoveEvent *)
{
    report_geometry();
}

void TopLevelWindow::closeEvent(QCloseEvent *event)
{
    // The window decides for itself whether it closes: the close box only
    // asks (WM_CLOSE, which DefWindowProcA answers by destroying it).
    event->ignore();
    if (isEnabled())
        winsys::toolkit_close_requested(hwnd_);
}

void TopLevelWindow::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::ThemeChange:
        lay_out();
        winsys::toolkit_theme_changed(hwnd_);
        break;
    case QEvent::WindowStateChange:
        report_geometry();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

} // namespace scribblet::qt
