// The font of a dialog template, and the dialog units it defines.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_FONT_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_FONT_H

#include <QFont>

#include "platform/dialogs/dialog_units.h"
#include "platform/resources/dialog_template.h"

namespace scribblet::dialogs {

// The logical resolution that point sizes are converted with (96 on a
// standard display).
int logical_dpi();

// The template's font (every dialog of the script sets one with
// DS_SETFONT). Its pixel height is MulDiv(points, dpi, 72), as a LOGFONT
// with a negative height; Windows' Japanese UI face maps to an installed
// Japanese gothic face.
QFont dialog_font(const resources::DialogTemplate &dialog);

// The dialog units of a font: the average width of the 52 Latin letters
// and the font's height.
DialogBaseUnits measure_base_units(const QFont &font);

} // namespace scribblet::dialogs

#endif
