// The font of a dialog template, and the dialog units it defines.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_FONT_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_FONT_H

#include <QFont>
#include <optional>

#include "platform/dialogs/dialog_units.h"
#include "platform/resources/dialog_template.h"

namespace scribblet::dialogs {

// The logical resolution that point sizes are converted with (96 on a
// standard display).
int LogicalDpi();

// The template's font (DS_SETFONT), or the system's dialog font when the
// template names none. Its pixel height is MulDiv(points, dpi, 72), as a
// LOGFONT with a negative height; Windows' Japanese UI faces map to an
// installed Japanese gothic face.
QFont DialogFont(const std::optional<resources::DialogFont> &font);

// The dialog units of a font: the average width of the 52 Latin letters
// and the font's height.
DialogBaseUnits MeasureBaseUnits(const QFont &font);

} // namespace scribblet::dialogs

#endif
