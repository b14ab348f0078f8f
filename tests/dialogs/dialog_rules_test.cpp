// The plain rules under the dialogs: reading numbers from fields, dialog
// units, the save dialog's type list and how it hands the name back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/dialogs/dialog_int.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/dialogs/save_filter.h"
#include "platform/dialogs/save_result.h"

namespace {

using namespace scribblet::dialogs;

TEST(DialogsIntReader, AcceptsDigitsWithBlanksAroundThem)
{
    EXPECT_EQ(ReadDialogInt("800", false), 800u);
    EXPECT_EQ(ReadDialogInt("0", false), 0u);
    EXPECT_EQ(ReadDialogInt("  \t1024", false), 1024u);
    EXPECT_EQ(ReadDialogInt("768  ", false), 768u);
    EXPECT_EQ(ReadDialogInt("007", false), 7u);
    EXPECT_EQ(ReadDialogInt("4294967295", false), 4294967295u);
}

TEST(DialogsIntReader, RefusesWhatIsNotOneUnsignedNumber)
{
    for (const char *text : {"", "   ", "abc", "12a", "1 2", "-5", "+5",
                             "4294967296", "99999999999999999999", "８００"})
        EXPECT_FALSE(ReadDialogInt(text, false).has_value()) << text;
}

TEST(DialogsIntReader, SignedReadsTakeAMinusWithinTheIntRange)
{
    EXPECT_EQ(ReadDialogInt(" -42", true), static_cast<std::uint32_t>(-42));
    EXPECT_EQ(ReadDialogInt("-2147483648", true), 0x80000000u);
    EXPECT_EQ(ReadDialogInt("2147483647", true), 0x7FFFFFFFu);
    EXPECT_FALSE(ReadDialogInt("2147483648", true).has_value());
    EXPECT_FALSE(ReadDialogInt("-2147483649", true).has_value());
    EXPECT_FALSE(ReadDialogInt("-", true).has_value());
    EXPECT_FALSE(ReadDialogInt("--1", true).has_value());
}

TEST(DialogsIntReader, FormatsSignedAndUnsigned)
{
    EXPECT_EQ(FormatDialogInt(800, true), "800");
    EXPECT_EQ(FormatDialogInt(0xFFFFFFFFu, true), "-1");
    EXPECT_EQ(FormatDialogInt(0xFFFFFFFFu, false), "4294967295");
    // What SetDlgItemInt writes, GetDlgItemInt reads back.
    EXPECT_EQ(ReadDialogInt(FormatDialogInt(0x80000000u, true), true),
              0x80000000u);
}

TEST(DialogsUnits, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDivRounded(9, 96, 72), 12);
    EXPECT_EQ(MulDivRounded(5, 1, 2), 3);
    EXPECT_EQ(MulDivRounded(-5, 1, 2), -3);
    EXPECT_EQ(MulDivRounded(5, -1, 2), -3);
    EXPECT_EQ(MulDivRounded(5, 1, -2), -3);
    EXPECT_EQ(MulDivRounded(7, 1, 4), 2);
    EXPECT_EQ(MulDivRounded(1, 2, 0), -1);
    EXPECT_EQ(MulDivRounded(0x40000000, 4, 1), -1);
}

TEST(DialogsUnits, BaseUnitsAndScaling)
{
    // 52 letters 312 pixels wide: 12 per pair, (12 + 1) / 2 = 6.
    const DialogBaseUnits units = BaseUnitsFromMeasures(312, 12);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 12);
    EXPECT_EQ(BaseUnitsFromMeasures(338, 13).x, 7);
    // 50 × 6 / 4 = 75; 12 × 12 / 8 = 18; 11 × 12 / 8 = 16.5 → 17.
    const UnitRect field = DluRectToPixels({25, 10, 50, 12}, units);
    EXPECT_EQ(field.x, 38);
    EXPECT_EQ(field.cx, 75);
    EXPECT_EQ(field.y, 15);
    EXPECT_EQ(field.cy, 18);
    EXPECT_EQ(DluToPixelsY(11, units), 17);
    EXPECT_EQ(FontPixelHeight(9, 144), 18);
}

// The program's own list: three entries, ended by an empty string.
constexpr char kThreeTypes[] = "24ビット ビットマップファイル (*.bmp)\0*.bmp\0"
                               "Jpegファイル (*.jpg)\0*.jpg\0"
                               "すべてのファイル (*.*)\0*.*\0";

TEST(DialogsFileTypes, ReadsLabelsAndPatternsInOrder)
{
    const auto entries = ParseFileTypeList(kThreeTypes);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].label, "24ビット ビットマップファイル (*.bmp)");
    EXPECT_EQ(entries[1].label, "Jpegファイル (*.jpg)");
    EXPECT_EQ(entries[2].patterns, std::vector<std::string>{"*.*"});

    const auto several = ParseFileTypeList("Web\0*.htm;*.html\0Broken\0\0");
    ASSERT_EQ(several.size(), 1u);
    EXPECT_EQ(several[0].patterns,
              (std::vector<std::string>{"*.htm", "*.html"}));
    EXPECT_TRUE(ParseFileTypeList(nullptr).empty());
    EXPECT_TRUE(ParseFileTypeList("\0").empty());
}

TEST(DialogsFileTypes, ExtensionFollowsTheEntryElseTheDefault)
{
    const auto entries = ParseFileTypeList(kThreeTypes);
    EXPECT_EQ(ExtensionForEntry(entries[0], ".bmp"), "bmp");
    EXPECT_EQ(ExtensionForEntry(entries[1], ".bmp"), "jpg");
    EXPECT_EQ(ExtensionForEntry(entries[2], ".bmp"), "bmp");
    EXPECT_EQ(ExtensionForEntry(entries[2], "png"), "png");
    EXPECT_EQ(ExtensionForEntry(entries[2], nullptr), "");
    EXPECT_EQ(ExtensionForEntry({"Any", {"a?c.*"}}, "bmp"), "bmp");
    EXPECT_EQ(ExtensionForEntry({"Tar", {"*.tar.gz"}}, "bmp"), "bmp");
}

struct SaveBuffers {
    char file[260] = {};
    char title[32] = {};
    OPENFILENAMEA ofn{};
    SaveBuffers()
    {
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
    }
};

TEST(DialogsSaveResult, StoresThePathWithItsOffsets)
{
    SaveBuffers b;
    b.ofn.lpstrFileTitle = b.title;
    b.ofn.nMaxFileTitle = sizeof b.title;
    ASSERT_EQ(StoreChosenPath(b.ofn, "/home/u/絵.v1/pic.jpg"), 0u);
    EXPECT_STREQ(b.file, "/home/u/絵.v1/pic.jpg");
    EXPECT_STREQ(b.title, "pic.jpg");
    EXPECT_STREQ(b.file + b.ofn.nFileOffset, "pic.jpg");
    EXPECT_STREQ(b.file + b.ofn.nFileExtension, "jpg");

    ASSERT_EQ(StoreChosenPath(b.ofn, "/tmp/a.b/noext"), 0u);
    EXPECT_EQ(b.ofn.nFileExtension, std::strlen("/tmp/a.b/noext"));
    ASSERT_EQ(StoreChosenPath(b.ofn, "/tmp/dot."), 0u);
    EXPECT_EQ(b.ofn.nFileExtension, 0);
}

TEST(DialogsSaveResult, APathThatDoesNotFitReportsTheSizeNeeded)
{
    SaveBuffers b;
    const std::string fits = "/" + std::string(258, 'a');  // 259 + NUL
    ASSERT_EQ(StoreChosenPath(b.ofn, fits), 0u);
    EXPECT_EQ(std::string(b.file), fits);

    const std::string tooLong = "/" + std::string(259, 'a'); // 260 + NUL
    std::memset(b.file, 'x', sizeof b.file);
    EXPECT_EQ(StoreChosenPath(b.ofn, tooLong),
              static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, b.file, sizeof needed);
    EXPECT_EQ(needed, 261);
    EXPECT_EQ(b.file[2], 'x');
}

} // namespace
