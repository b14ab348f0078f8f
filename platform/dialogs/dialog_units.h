// Dialog units: the coordinates of dialog templates, scaled by the
// template font so that a dialog keeps its proportions with any font.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_UNITS_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_UNITS_H

#include <cstdint>
#include <string_view>

namespace scribblet::dialogs {

// a × b / c rounded to the nearest integer, halves away from zero, as
// Windows' MulDiv; −1 when c is 0 or the result does not fit in 32 bits.
std::int32_t MulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c);

// The pixel height of a font of the given point size at the given
// logical resolution (the magnitude of a LOGFONT's negative lfHeight).
int FontPixelHeight(int points, int logicalDpi);

// The 52 letters whose average width sets the horizontal dialog unit.
inline constexpr std::string_view kBaseUnitAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The pixels of four horizontal and eight vertical dialog units.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// Base units from the font's measures: the width of kBaseUnitAlphabet
// halved per letter pair, rounded up (Windows: (width / 26 + 1) / 2), and
// the font's height.
DialogBaseUnits BaseUnitsFromMeasures(int alphabetWidth, int fontHeight);

// A rectangle in pixels or in dialog units.
struct UnitRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// Horizontal and vertical dialog units to pixels.
int DluToPixelsX(int dlu, DialogBaseUnits units);
int DluToPixelsY(int dlu, DialogBaseUnits units);

// A control's rectangle: position and size scaled each on its own, as
// the dialog manager places controls.
UnitRect DluRectToPixels(const UnitRect &dlu, DialogBaseUnits units);

} // namespace scribblet::dialogs

#endif
