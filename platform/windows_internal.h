// Windows' own names for the Windows values that only the layer under
// platform/ uses: resource types and formats, control styles and the like.
// The values the program uses are in platform.h. Plain C++, layer only.
#ifndef SCRIBBLET_PLATFORM_WINDOWS_INTERNAL_H
#define SCRIBBLET_PLATFORM_WINDOWS_INTERNAL_H

#include "platform/platform.h"

// Resource types
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)

// Menu template item flags
#define MF_POPUP 0x00000010L
#define MF_END 0x00000080L
#define MF_SEPARATOR 0x00000800L

// Dialog and control styles
#define DS_SETFONT 0x40L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_TYPEMASK 0x0000000FL
#define SS_ICON 0x00000003L
#define SS_TYPEMASK 0x0000001FL

// Message boxes
#define MB_ICONMASK 0x000000F0L

// ShellExecute's failures (its results above 32 mean success)
#define SE_ERR_NOASSOC 31

#endif // SCRIBBLET_PLATFORM_WINDOWS_INTERNAL_H
