// The plain rules under the dialogs: reading numbers from fields, dialog
// units and the save dialog's type list.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/dialogs/dialog_int.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/dialogs/save_filter.h"

namespace {

using namespace scribblet::dialogs;

TEST(DialogsIntReader, ReadsOneUnsignedNumberWithBlanksAround)
{
    struct Case {
        const char *text;
        std::optional<std::uint32_t> value;
    };
    for (const Case &c :
         {Case{"800", 800u}, Case{"0", 0u}, Case{"  \t1024", 1024u},
          Case{"768  ", 768u}, Case{"007", 7u}, Case{"4294967295", 4294967295u},
          Case{"", {}}, Case{"   ", {}}, Case{"abc", {}}, Case{"12a", {}},
          Case{"1 2", {}}, Case{"-5", {}}, Case{"+5", {}},
          Case{"4294967296", {}}, Case{"99999999999999999999", {}},
          Case{"８００", {}}})
        EXPECT_EQ(read_dialog_uint(c.text), c.value) << c.text;
    EXPECT_EQ(format_dialog_int(800, true), "800");
    EXPECT_EQ(format_dialog_int(0xFFFFFFFFu, true), "-1");
    EXPECT_EQ(format_dialog_int(0xFFFFFFFFu, false), "4294967295");
}

TEST(DialogsUnits, RoundHalvesAwayFromZero)
{
    EXPECT_EQ(mul_div_rounded(9, 96, 72), 12);
    EXPECT_EQ(mul_div_rounded(5, 1, 2), 3);
    EXPECT_EQ(mul_div_rounded(-5, 1, 2), -3);
    EXPECT_EQ(mul_div_rounded(7, 1, 4), 2);
    // 52 letters 312 pixels wide: 12 per pair, (12 + 1) / 2 = 6.
    const DialogBaseUnits units = base_units_from_measures(312, 12);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 12);
    EXPECT_EQ(base_units_from_measures(338, 13).x, 7);
    // 25 × 6 / 4 = 37.5 → 38; 50 × 6 / 4 = 75; 10 × 12 / 8 = 15; 11 × 12 / 8
    // = 16.5 → 17.
    const UnitRect field = dlu_rect_to_pixels({25, 10, 50, 11}, units);
    EXPECT_EQ(field.x, 38);
    EXPECT_EQ(field.y, 15);
    EXPECT_EQ(field.cx, 75);
    EXPECT_EQ(field.cy, 17);
}

TEST(DialogsFileTypes, LabelsPatternsAndTheExtensionEachGives)
{
    // The program's own list: three entries, ended by an empty string.
    const auto entries =
        parse_file_type_list("24ビット ビットマップファイル (*.bmp)\0*.bmp\0"
                             "Jpegファイル (*.jpg)\0*.jpg\0"
                             "すべてのファイル (*.*)\0*.*\0");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].label, "24ビット ビットマップファイル (*.bmp)");
    EXPECT_EQ(entries[1].label, "Jpegファイル (*.jpg)");
    EXPECT_EQ(entries[2].pattern, "*.*");
    EXPECT_EQ(extension_for_entry(entries[0], ".bmp"), "bmp");
    EXPECT_EQ(extension_for_entry(entries[1], ".bmp"), "jpg");
    EXPECT_EQ(extension_for_entry(entries[2], ".bmp"), "bmp");
    EXPECT_EQ(extension_for_entry(entries[2], "png"), "png");
    EXPECT_EQ(extension_for_entry({"Any", "*.b?p"}, "bmp"), "bmp");

    const auto broken = parse_file_type_list("Web\0*.htm\0Broken\0\0");
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(broken[0].pattern, "*.htm");
    EXPECT_TRUE(parse_file_type_list(nullptr).empty());
    EXPECT_TRUE(parse_file_type_list("\0").empty());
}

} // namespace
