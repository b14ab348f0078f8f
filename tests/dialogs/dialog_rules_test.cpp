// The plain rules under the dialogs: reading numbers from fields, dialog
// units and the save dialog's type list.
#include <gtest/gtest.h>

#include <string>

#include "platform/dialogs/dialog_int.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/dialogs/save_filter.h"

namespace {

using namespace scribblet::dialogs;

TEST(DialogsIntReader, AcceptsDigitsWithBlanksAroundThem)
{
    EXPECT_EQ(read_dialog_uint("800"), 800u);
    EXPECT_EQ(read_dialog_uint("0"), 0u);
    EXPECT_EQ(read_dialog_uint("  \t1024"), 1024u);
    EXPECT_EQ(read_dialog_uint("768  "), 768u);
    EXPECT_EQ(read_dialog_uint("007"), 7u);
    EXPECT_EQ(read_dialog_uint("4294967295"), 4294967295u);
}

TEST(DialogsIntReader, RefusesWhatIsNotOneUnsignedNumber)
{
    for (const char *text : {"", "   ", "abc", "12a", "1 2", "-5", "+5",
                             "4294967296", "99999999999999999999", "８００"})
        EXPECT_FALSE(read_dialog_uint(text).has_value()) << text;
}

TEST(DialogsIntReader, FormatsSignedAndUnsigned)
{
    EXPECT_EQ(format_dialog_int(800, true), "800");
    EXPECT_EQ(format_dialog_int(0xFFFFFFFFu, true), "-1");
    EXPECT_EQ(format_dialog_int(0xFFFFFFFFu, false), "4294967295");
}

TEST(DialogsUnits, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(mul_div_rounded(9, 96, 72), 12);
    EXPECT_EQ(mul_div_rounded(5, 1, 2), 3);
    EXPECT_EQ(mul_div_rounded(-5, 1, 2), -3);
    EXPECT_EQ(mul_div_rounded(7, 1, 4), 2);
}

TEST(DialogsUnits, BaseUnitsAndScaling)
{
    // 52 letters 312 pixels wide: 12 per pair, (12 + 1) / 2 = 6.
    const DialogBaseUnits units = base_units_from_measures(312, 12);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 12);
    EXPECT_EQ(base_units_from_measures(338, 13).x, 7);
    // 50 × 6 / 4 = 75; 12 × 12 / 8 = 18; 11 × 12 / 8 = 16.5 → 17.
    const UnitRect field = dlu_rect_to_pixels({25, 10, 50, 12}, units);
    EXPECT_EQ(field.x, 38);
    EXPECT_EQ(field.cx, 75);
    EXPECT_EQ(field.y, 15);
    EXPECT_EQ(field.cy, 18);
    EXPECT_EQ(dlu_to_pixels_y(11, units), 17);
    EXPECT_EQ(font_pixel_height(9, 144), 18);
}

// The program's own list: three entries, ended by an empty string.
constexpr char three_types[] = "24ビット ビットマップファイル (*.bmp)\0*.bmp\0"
                               "Jpegファイル (*.jpg)\0*.jpg\0"
                               "すべてのファイル (*.*)\0*.*\0";

TEST(DialogsFileTypes, ReadsLabelsAndPatternsInOrder)
{
    const auto entries = parse_file_type_list(three_types);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].label, "24ビット ビットマップファイル (*.bmp)");
    EXPECT_EQ(entries[1].label, "Jpegファイル (*.jpg)");
    EXPECT_EQ(entries[2].pattern, "*.*");

    const auto several = parse_file_type_list("Web\0*.htm\0Broken\0\0");
    ASSERT_EQ(several.size(), 1u);
    EXPECT_EQ(several[0].pattern, "*.htm");
    EXPECT_TRUE(parse_file_type_list(nullptr).empty());
    EXPECT_TRUE(parse_file_type_list("\0").empty());
}

TEST(DialogsFileTypes, ExtensionFollowsTheEntryElseTheDefault)
{
    const auto entries = parse_file_type_list(three_types);
    EXPECT_EQ(extension_for_entry(entries[0], ".bmp"), "bmp");
    EXPECT_EQ(extension_for_entry(entries[1], ".bmp"), "jpg");
    EXPECT_EQ(extension_for_entry(entries[2], ".bmp"), "bmp");
    EXPECT_EQ(extension_for_entry(entries[2], "png"), "png");
    EXPECT_EQ(extension_for_entry({"Any", "*.b?p"}, "bmp"), "bmp");
}

} // namespace
