#include "platform/qt/peers.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <algorithm>

#include "platform/qt/top_level_window.h"
#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_record.h"
#include "platform/winsys/window_system.h"

namespace scribblet::qt {
namespace {

QRect to_qrect(const RECT &r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// SetCapture's pointer grab. Wayland gives a window no grab of its own
// (Qt grants one only to popups there, and warns on every other try); what
// it has is the implicit grab while a button is held, which keeps the
// pointer's moves and release with the window the press was in, outside it
// too. That is where the program captures.
void capture_pointer(QWidget *widget, bool captured)
{
    static const bool grabs =
        !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
    if (!grabs)
        return;
    if (!captured)
        widget->releaseMouse();
    else if (widget->isVisible())
        widget->grabMouse();
}

class TopLevelPeer final : public QtPeer {
public:
    TopLevelPeer(HWND hwnd, const winsys::PeerLook &look, QWidget *owner)
        : widget_(new TopLevelWindow(hwnd, look, owner)),
          default_corner_(look.default_corner)
    {
    }
    ~TopLevelPeer() override
    {
        delete widget_.data();
    }

    ClientWidget *client() const override
    {
        return widget_ ? widget_->client() : nullptr;
    }

    winsys::FrameInsets frame(int window_width) const override
    {
        return widget_ ? widget_->frame(window_width) : winsys::FrameInsets{};
    }

    void apply_geometry(const RECT &window_rect) override
    {
        if (!widget_)
            return;
        // The program may give its window any size, whatever the limits on
        // the user's dragging.
        const QRect g = to_qrect(window_rect);
        widget_->setMinimumSize(0, 0);
        widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (places_frame(g.topLeft()))
            place_frame(g);
        else
            widget_->setGeometry(g);
        apply_limits();
    }

    void show(int command) override
    {
        if (!widget_)
            return;
        // Shown, the window is where the window manager put it.
        if (command != SW_HIDE)
            default_corner_.reset();
        switch (command) {
        case SW_HIDE:
            widget_->hide();
            return;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            widget_->showMinimized();
            return;
        case SW_SHOWMAXIMIZED:
            widget_->showMaximized();
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            widget_->showNormal();
            break;
        default:
            widget_->show();
            break;
        }
        if (command != SW_SHOWNA && command != SW_SHOWNOACTIVATE) {
            widget_->raise();
            widget_->activateWindow();
            widget_->client()->setFocus(Qt::ActiveWindowFocusReason);
        }
    }

    void set_enabled(bool enabled) override
    {
        if (widget_)
            widget_->setEnabled(enabled);
    }

    void set_size_limits(POINT smallest, POINT largest) override
    {
        smallest_ = smallest;
        largest_ = largest;
        apply_limits();
    }

    void present(const RECT &client_rect) override
    {
        if (widget_)
            widget_->client()->update(to_qrect(client_rect));
    }

    void enable_scroll_bar(int bar, bool enable) override
    {
        if (widget_ && widget_->scroll_bar(bar) != nullptr)
            widget_->scroll_bar(bar)->setEnabled(enable);
    }

    void menu_changed(const resources::Menu &menu) override
    {
        if (widget_ && widget_->menu_bar() != nullptr)
            widget_->menu_bar()->update_states(menu);
    }

    void set_capture(bool captured) override
    {
        if (widget_)
            capture_pointer(widget_->client(), captured);
    }

private:
    // CW_USEDEFAULT's place is where Windows puts the whole window, caption
    // and borders included. Our window rectangle leaves the window
    // manager's frame out, and a geometry given to Qt places the client
    // area there (a user-specified position with static gravity), so that
    // the manager puts the title bar above it: off the screen at its top.
    // Until the window first shows, then, a window asked to be at its
    // default place is placed by its frame; any other place is the
    // program's own and keeps its meaning. Once shown, Qt reports where the
    // window really is, and the window rectangle follows.
    bool places_frame(QPoint corner) const
    {
        return default_corner_ &&
               corner == QPoint(default_corner_->x, default_corner_->y);
    }

    // Qt places the frame of a window without a native window yet when it
    // is moved; one that has it (the owner of a dialog shown before it) is
    // placed through its QWindow, given the size too so that showing the
    // widget does not give it a geometry again.
    void place_frame(const QRect &g)
    {
        widget_->resize(g.size());
        if (QWindow *window = widget_->windowHandle()) {
            window->resize(g.size());
            window->setFramePosition(g.topLeft());
        } else {
            widget_->move(g.topLeft());
        }
    }

    // The limits on dragging, widened to the present size where the
    // program made the window larger or smaller than they allow.
    void apply_limits()
    {
        const QSize now = widget_->size();
        widget_->setMinimumSize(std::min<int>(smallest_.x, now.width()),
                                std::min<int>(smallest_.y, now.height()));
        widget_->setMaximumSize(std::max<int>(largest_.x, now.width()),
                                std::max<int>(largest_.y, now.height()));
    }

    QPointer<TopLevelWindow> widget_;
    std::optional<POINT> default_corner_;
    POINT smallest_{0, 0};
    POINT largest_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
};

class ChildPeer final : public QtPeer {
public:
    ChildPeer(HWND hwnd, QWidget *parent)
        : widget_(new ClientWidget(hwnd, parent))
    {
        widget_->hide();
    }
    ~ChildPeer() override
    {
        delete widget_.data();
    }

    ClientWidget *client() const override
    {
        return widget_.data();
    }
    winsys::FrameInsets frame(int) const override
    {
        return {};
    }

    void apply_geometry(const RECT &window_rect) override
    {
        if (widget_)
            widget_->setGeometry(to_qrect(window_rect));
    }

    void show(int command) override
    {
        if (widget_)
            widget_->setVisible(command != SW_HIDE);
    }

    void set_enabled(bool enabled) override
    {
        if (widget_)
            widget_->setEnabled(enabled);
    }

    void set_size_limits(POINT, POINT) override
    {
    }

    void present(const RECT &client_rect) override
    {
        if (widget_)
            widget_->update(to_qrect(client_rect));
    }

    void enable_scroll_bar(int, bool) override
    {
    }
    void menu_changed(const resources::Menu &) override
    {
    }

    void set_capture(bool captured) override
    {
        if (widget_)
            capture_pointer(widget_.data(), captured);
    }

private:
    QPointer<ClientWidget> widget_;
};

QWidget *top_level_widget_of(HWND hwnd)
{
    QWidget *client = window_widget(hwnd);
    return client != nullptr ? client->window() : nullptr;
}

} // namespace

std::unique_ptr<winsys::WindowPeer> make_peer(HWND hwnd,
                                              const winsys::PeerLook &look)
{
    if (look.parent != nullptr) {
        QWidget *parent = window_widget(look.parent);
        if (parent == nullptr)
            return nullptr;
        return std::make_unique<ChildPeer>(hwnd, parent);
    }
    return std::make_unique<TopLevelPeer>(hwnd, look,
                                          top_level_widget_of(look.owner));
}

QWidget *window_widget(HWND hwnd)
{
    const winsys::Window *w = winsys::find_window(hwnd);
    const auto *peer =
        w != nullptr ? dynamic_cast<const QtPeer *>(w->peer.get()) : nullptr;
    return peer != nullptr ? peer->client() : nullptr;
}

HWND window_from_widget(const QWidget *widget)
{
    for (; widget != nullptr; widget = widget->parentWidget())
        if (const auto *client = dynamic_cast<const ClientWidget *>(widget))
            return winsys::is_window(client->hwnd()) ? client->hwnd() : nullptr;
    return nullptr;
}

} // namespace scribblet::qt
