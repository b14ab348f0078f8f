#include "platform/dialogs/dialog_units.h"

#include <cstdint>

namespace scribblet::dialogs {

int mul_div_rounded(int a, int b, int c)
{
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = c / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) /
                            c);
}

int font_pixel_height(int points, int logical_dpi)
{
    return mul_div_rounded(points, logical_dpi, 72);
}

DialogBaseUnits base_units_from_measures(int alphabet_width, int font_height)
{
    return {(alphabet_width / 26 + 1) / 2, font_height};
}

int dlu_to_pixels_x(int dlu, DialogBaseUnits units)
{
    return mul_div_rounded(dlu, units.x, 4);
}

int dlu_to_pixels_y(int dlu, DialogBaseUnits units)
{
    return mul_div_rounded(dlu, units.y, 8);
}

UnitRect dlu_rect_to_pixels(const UnitRect &dlu, DialogBaseUnits units)
{
    return {dlu_to_pixels_x(dlu.x, units), dlu_to_pixels_y(dlu.y, units),
            dlu_to_pixels_x(dlu.cx, units), dlu_to_pixels_y(dlu.cy, units)};
}

} // namespace scribblet::dialogs
