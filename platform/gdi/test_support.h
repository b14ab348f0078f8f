// What the drawing surfaces offer tests beyond the Windows calls: nothing of
// the program, nor of the rest of the layer, includes this header.
#ifndef SCRIBBLET_PLATFORM_GDI_TEST_SUPPORT_H
#define SCRIBBLET_PLATFORM_GDI_TEST_SUPPORT_H

#include "platform/platform.h"

namespace scribblet::gdi {

// The bitmap selected into a memory device context; NULL for an unknown
// handle or a device context without one (the screen's). It is
// GetCurrentObject(dc, OBJ_BITMAP), with which the canvas tests check the
// program's selections.
HBITMAP selected_bitmap(HDC dc);

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_TEST_SUPPORT_H
