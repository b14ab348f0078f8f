#include "platform/qt/peers.h"

#include <QGuiApplication>
#include <QPointer>
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/qt/top_level_window.h"

namespace scribblet::qt {
namespace {

class TopLevelPeer;

// The live peers, for finding a window's widget by its handle.
std::unordered_map<HWND, TopLevelPeer *> &peers()
{
    static std::unordered_map<HWND, TopLevelPeer *> by_window;
    return by_window;
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

class TopLevelPeer final : public winsys::WindowPeer {
public:
    TopLevelPeer(HWND hwnd, const winsys::PeerLook &look, QWidget *owner)
        : hwnd_(hwnd), widget_(new TopLevelWindow(hwnd, look, owner)),
          default_corner_(look.default_corner)
    {
        peers()[hwnd_] = this;
    }
    ~TopLevelPeer() override
    {
        peers().erase(hwnd_);
        delete widget_.data();
    }

    ClientWidget *client() const
    {
        return widget_->client();
    }

    winsys::FrameInsets frame_insets(int window_width) const override
    {
        return widget_->insets_at(window_width);
    }

    // The program may give its window any size, whatever the limits on
    // the user's dragging.
    void apply_geometry(const RECT &window_rect) override
    {
        widget_->setMinimumSize(0, 0);
        widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // CW_USEDEFAULT's place is where Windows puts the whole window,
        // caption included. A geometry given to Qt places the client area
        // there (a user-specified position with static gravity), and the
        // window manager puts the title bar above it, off the screen. Until
        // it first shows, a window at its default place is placed by its
        // frame; any other place is the program's own. Once shown, the
        // window rectangle follows where Qt reports the window is.
        const QRect g = to_qrect(window_rect);
        widget_->place(g, default_corner_ &&
                              g.topLeft() == QPoint(default_corner_->x,
                                                    default_corner_->y));
        apply_limits();
    }

    void set_visible(bool visible) override
    {
        if (!visible) {
            widget_->hide();
            return;
        }
        // Shown, the window is where the window manager put it.
        default_corner_.reset();
        widget_->show();
        widget_->raise();
        widget_->activateWindow();
        widget_->client()->setFocus(Qt::ActiveWindowFocusReason);
    }

    void set_enabled(bool enabled) override
    {
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
        widget_->client()->update(to_qrect(client_rect));
    }

    void enable_scroll_bar(int bar, bool enable) override
    {
        widget_->scroll_bar(bar)->setEnabled(enable);
    }

    void menu_changed(const resources::Menu &menu) override
    {
        widget_->menu_bar()->update_states(menu.items);
    }

    void set_capture(bool captured) override
    {
        capture_pointer(widget_->client(), captured);
    }

private:
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

    HWND hwnd_;
    // Deleted here, or with its owner's widget should that go first.
    QPointer<TopLevelWindow> widget_;
    std::optional<POINT> default_corner_;
    POINT smallest_{0, 0};
    POINT largest_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
};

} // namespace

std::unique_ptr<winsys::WindowPeer> make_peer(HWND hwnd,
                                              const winsys::PeerLook &look)
{
    QWidget *owner = window_widget(look.owner);
    return std::make_unique<TopLevelPeer>(
        hwnd, look, owner != nullptr ? owner->window() : nullptr);
}

QWidget *window_widget(HWND hwnd)
{
    const auto found = peers().find(hwnd);
    return found != peers().end() ? found->second->client() : nullptr;
}

} // namespace scribblet::qt
