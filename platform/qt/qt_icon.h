// An icon handle (LoadIconA) as a Qt icon.
#ifndef SCRIBBLET_PLATFORM_QT_QT_ICON_H
#define SCRIBBLET_PLATFORM_QT_QT_ICON_H

#include <QIcon>

#include "platform/platform.h"

namespace scribblet::qt {

// Every image of the icon group, at each of its sizes and depths; a null
// QIcon for a handle that is not a live icon.
QIcon qt_icon(HICON icon);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_QT_ICON_H
