#include "platform/dialogs/dialog_units.h"

#include <cstdint>

namespace scribblet::dialogs {

std::int32_t MulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    std::int64_t product = std::int64_t{a} * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result =
        (product >= 0 ? product + half : product - half) / divisor;
    if (result > INT32_MAX || result < -INT32_MAX)
        return -1;
    return static_cast<std::int32_t>(result);
}

int FontPixelHeight(int points, int logicalDpi)
{
    return MulDivRounded(points, logicalDpi, 72);
}

DialogBaseUnits BaseUnitsFromMeasures(int alphabetWidth, int fontHeight)
{
    return {(alphabetWidth / 26 + 1) / 2, fontHeight};
}

int DluToPixelsX(int dlu, DialogBaseUnits units)
{
    return MulDivRounded(dlu, units.x, 4);
}

int DluToPixelsY(int dlu, DialogBaseUnits units)
{
    return MulDivRounded(dlu, units.y, 8);
}

UnitRect DluRectToPixels(const UnitRect &dlu, DialogBaseUnits units)
{
    return {DluToPixelsX(dlu.x, units), DluToPixelsY(dlu.y, units),
            DluToPixelsX(dlu.cx, units), DluToPixelsY(dlu.cy, units)};
}

} // namespace scribblet::dialogs
