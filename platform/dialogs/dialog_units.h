// Dialog units: the coordinates of dialog templates, scaled by the
// template font so that a dialog keeps its proportions with any font.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_UNITS_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_UNITS_H

#include <string_view>

namespace scribblet::dialogs {

// a × b / c rounded to the nearest integer, halves away from zero, as
// Windows' MulDiv. The layer divides only by its own constants (72, 96, 4,
// 8), so c is above 0 and the result fits.
int mul_div_rounded(int a, int b, int c);

// The pixel height of a font of the given point size at the given
// logical resolution (the magnitude of a LOGFONT's negative lfHeight).
int font_pixel_height(int points, int logical_dpi);

// The 52 letters whose average width sets the horizontal dialog unit.
inline constexpr std::string_view base_unit_alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The pixels of four horizontal and eight vertical dialog units.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// Base units from the font's measures: the width of base_unit_alphabet
// halved per letter pair, rounded up (Windows: (width / 26 + 1) / 2), and
// the font's height.
DialogBaseUnits base_units_from_measures(int alphabet_width, int font_height);

// A rectangle in pixels or in dialog units.
struct UnitRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// Horizontal and vertical dialog units to pixels.
int dlu_to_pixels_x(int dlu, DialogBaseUnits units);
int dlu_to_pixels_y(int dlu, DialogBaseUnits units);

// A control's rectangle: position and size scaled each on its own, as
// the dialog manager places controls.
UnitRect dlu_rect_to_pixels(const UnitRect &dlu, DialogBaseUnits units);

} // namespace scribblet::dialogs

#endif
