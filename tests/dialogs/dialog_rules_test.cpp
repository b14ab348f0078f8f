// The rules under the dialogs: reading numbers from fields and dialog units.
// (The fields that stop taking characters once full, and the save dialog's
// type list, are the program's tests'.)
#include <gtest/gtest.h>

#include <vector>

#include "platform/dialogs/dialog_int.h"
#include "platform/dialogs/dialog_units.h"

namespace {

using namespace scribblet::dialogs;

TEST(DialogsIntReader, ReadsOneUnsignedNumberWithBlanksAround)
{
    for (const char *text : {"800", "  \t800", "800  ", "0800"})
        EXPECT_EQ(read_dialog_uint(text), 800u) << text;
    EXPECT_EQ(read_dialog_uint("4294967295"), 4294967295u);
    for (const char *text : {"", "   ", "12a", "1 2", "-5", "+5", "4294967296",
                             "99999999999999999999", "８００"})
        EXPECT_EQ(read_dialog_uint(text), std::nullopt) << text;
}

// Halves round away from zero. A 52-letter alphabet 312 pixels wide and 12
// high gives base units of (312 / 26 + 1) / 2 = 6 by 12: 25 x 6 / 4 = 37.5
// is 38 pixels, 11 x 12 / 8 = 16.5 is 17.
TEST(DialogsUnits, RoundHalvesAwayFromZero)
{
    EXPECT_EQ(mul_div_rounded(9, 96, 72), 12);
    EXPECT_EQ(mul_div_rounded(-5, 1, 2), -3);
    EXPECT_EQ(mul_div_rounded(7, 1, 4), 2);
    EXPECT_EQ(base_units_from_measures(338, 13).x, 7);
    const UnitRect field =
        dlu_rect_to_pixels({25, 10, 50, 11}, base_units_from_measures(312, 12));
    EXPECT_EQ(std::vector<int>({field.x, field.y, field.cx, field.cy}),
              std::vector<int>({38, 15, 75, 17}));
}

} // namespace
