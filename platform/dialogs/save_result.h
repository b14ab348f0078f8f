// How the save dialog hands the chosen name back in OPENFILENAMEA.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_SAVE_RESULT_H
#define SCRIBBLET_PLATFORM_DIALOGS_SAVE_RESULT_H

#include <string_view>

#include "platform/platform.h"

namespace scribblet::dialogs {

// Writes path into lpstrFile with its offsets (nFileOffset, nFileExtension)
// and its last component into lpstrFileTitle when one is given. Returns 0,
// or FNERR_BUFFERTOOSMALL when path and its NUL do not fit in nMaxFile
// characters: the first two bytes of lpstrFile then hold the size needed,
// and nothing else is written.
DWORD StoreChosenPath(OPENFILENAMEA &ofn, std::string_view path);

} // namespace scribblet::dialogs

#endif
