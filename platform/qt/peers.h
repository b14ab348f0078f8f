// The window peers of the Qt edge: a top-level window, or a child window's
// container inside its parent's client area.
#ifndef SCRIBBLET_PLATFORM_QT_PEERS_H
#define SCRIBBLET_PLATFORM_QT_PEERS_H

#include <memory>

#include "platform/qt/client_widget.h"
#include "platform/winsys/window_peer.h"

namespace scribblet::qt {

class QtPeer : public winsys::WindowPeer {
public:
    // The window's client widget; nullptr once Qt has deleted it.
    virtual ClientWidget *client() const = 0;
};

std::unique_ptr<winsys::WindowPeer> make_peer(HWND hwnd,
                                              const winsys::PeerLook &look);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_PEERS_H
