// What the conformance tests share: the module they run in, whose
// resources they use, and whether the Windows underneath is Wine.
#ifndef SCRIBBLET_TESTS_CONFORMANCE_CONFORMANCE_H
#define SCRIBBLET_TESTS_CONFORMANCE_CONFORMANCE_H

#include "platform/platform.h"

// The instance handle that WinMain was given.
extern HINSTANCE g_module;

// True when the Windows operations are Wine's. Wine departs from Windows
// in a few documented places; the tests name each one where they meet it.
bool running_under_wine();

#endif // SCRIBBLET_TESTS_CONFORMANCE_CONFORMANCE_H
