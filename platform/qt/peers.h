// The peers of the Qt edge: each top-level window of the window system is a
// TopLevelWindow widget, and the core tells it what changed through here.
// Its client area (below the menu bar, beside the scroll bars) is the widget
// into which a dialog puts its controls' widgets.
#ifndef SCRIBBLET_PLATFORM_QT_PEERS_H
#define SCRIBBLET_PLATFORM_QT_PEERS_H

#include <memory>

#include "platform/winsys/window_peer.h"

class QWidget;

namespace scribblet::qt {

// The toolkit's peer_for: a new top-level widget, owned by owner's.
std::unique_ptr<winsys::WindowPeer> make_peer(HWND hwnd,
                                              const winsys::PeerLook &look);

// The client area's widget: nullptr for a child window, an unknown handle,
// or before the Qt edge is installed. It lives until DestroyWindow.
QWidget *window_widget(HWND hwnd);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_PEERS_H
