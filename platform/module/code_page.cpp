// IsDBCSLeadByte on Linux: the process's narrow text is UTF-8, and Windows,
// whose ANSI code page is then 65001, finds no lead byte in it: a UTF-8
// character's later bytes are never ASCII, so no caller needs to skip them.
#include "platform/platform.h"

BOOL WINAPI IsDBCSLeadByte(BYTE)
{
    return FALSE;
}
