// File › Save: asks for a file name and type, and writes the canvas as a BMP
// or JPEG file by the type entry the user leaves selected.
#ifndef SCRIBBLET_EXPORT_SAVE_COMMAND_H
#define SCRIBBLET_EXPORT_SAVE_COMMAND_H

#include "platform/platform.h"

// The save dialog's type entries, numbered from 1 as nFilterIndex counts
// them. Every entry but the JPEG one writes a BMP file.
enum SaveFileType {
    SAVE_TYPE_BMP = 1,
    SAVE_TYPE_JPEG = 2,
    SAVE_TYPE_ALL_FILES = 3,
};

// Runs the command for the main window `owner`; the save dialog belongs to
// the program module `instance`. A failure is told to the user in a message
// box naming the file and the reason; the drawing and any file already there
// stay as they were.
void save_command(HWND owner, HINSTANCE instance);

#endif // SCRIBBLET_EXPORT_SAVE_COMMAND_H
