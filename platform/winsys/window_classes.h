// The registered window classes. Classes live until the process ends, so
// windows may point at them.
#ifndef SCRIBBLET_PLATFORM_WINSYS_WINDOW_CLASSES_H
#define SCRIBBLET_PLATFORM_WINSYS_WINDOW_CLASSES_H

#include "platform/winsys/window_record.h"

namespace scribblet::winsys {

// The class registered under name, compared without regard to the case of
// ASCII letters as Windows compares it; nullptr when none is. Classes are
// known by name only: the program never names one by its atom.
const WindowClass *find_class(LPCSTR name);

} // namespace scribblet::winsys

#endif // SCRIBBLET_PLATFORM_WINSYS_WINDOW_CLASSES_H
