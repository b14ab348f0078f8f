// The peers of the Qt edge: each top-level window of the window system is a
// TopLevelWindow widget, and the core tells it what changed through here.
#ifndef SCRIBBLET_PLATFORM_QT_PEERS_H
#define SCRIBBLET_PLATFORM_QT_PEERS_H

#include <memory>

#include "platform/winsys/window_peer.h"

namespace scribblet::qt {

// The toolkit's peer_for: a new top-level widget, owned by owner's.
std::unique_ptr<winsys::WindowPeer> make_peer(HWND hwnd,
                                              const winsys::PeerLook &look);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_PEERS_H
