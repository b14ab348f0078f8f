// The records that the program hands to the system have the system's own
// sizes on this architecture.
#include "platform/platform.h"

#ifdef _WIN64
static_assert(sizeof(OPENFILENAMEA) == 152, "OPENFILENAMEA on 64-bit Windows");
static_assert(sizeof(WNDCLASSEXA) == 80, "WNDCLASSEXA on 64-bit Windows");
#else
static_assert(sizeof(OPENFILENAMEA) == 88, "OPENFILENAMEA on 32-bit Windows");
static_assert(sizeof(WNDCLASSEXA) == 48, "WNDCLASSEXA on 32-bit Windows");
#endif
