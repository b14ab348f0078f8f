// What the conformance tests share: the module they run in, whose
// resources they use.
#ifndef SCRIBBLET_TESTS_CONFORMANCE_CONFORMANCE_H
#define SCRIBBLET_TESTS_CONFORMANCE_CONFORMANCE_H

#include "platform/platform.h"

// The instance handle that WinMain was given.
extern HINSTANCE g_module;

#endif // SCRIBBLET_TESTS_CONFORMANCE_CONFORMANCE_H
