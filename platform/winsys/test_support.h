// What the window system offers its own tests beyond the Windows calls:
// nothing of the program, nor of the rest of the layer, includes this header.
#ifndef SCRIBBLET_PLATFORM_WINSYS_TEST_SUPPORT_H
#define SCRIBBLET_PLATFORM_WINSYS_TEST_SUPPORT_H

#include "platform/platform.h"

namespace scribblet::winsys {

// Takes the next message that is ready (WM_QUIT and a made WM_PAINT
// included), in GetMessageA's order, without waiting: what PeekMessageA
// does with PM_REMOVE. False when nothing is ready.
bool peek_message(MSG *msg);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_TEST_SUPPORT_H
