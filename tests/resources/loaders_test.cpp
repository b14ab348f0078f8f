// LoadStringA, LoadAcceleratorsA, LoadIconA and resource modules: Windows'
// rules for buffer sizes and handles.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/resources/resource_reader.h"
#include "res/resource.h"
#include "res_builder.h"

using namespace scribblet::resources;
using namespace res_test;

namespace {

Bytes accelerator_table_data() {
    Bytes out;
    put_u16(out, FVIRTKEY | FCONTROL);
    put_u16(out, 'S');
    put_u16(out, 7);
    put_u16(out, 0);
    put_u16(out, 0x80 | FALT);
    put_u16(out, 'x');
    put_u16(out, 8);
    put_u16(out, 0);
    return out;
}

// A module whose string 1 is Japanese and string 2 holds a character
// outside the basic plane and an unpaired surrogate.
Bytes test_module() {
    ResFile file;
    file.add(LOWORD(RT_STRING), 1, 0, string_block({u"", u"幅と高さ", u"a\U0001F58Cb\xD800"}));
    file.add(LOWORD(RT_ACCELERATOR), 7, 0, accelerator_table_data());
    return file.bytes();
}

HINSTANCE test_instance() {
    static const HINSTANCE instance = load_module(test_module());
    return instance;
}

std::string load(HINSTANCE instance, UINT id, int size, int *result = nullptr) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    const int length = LoadStringA(instance, id, buffer, size);
    if (result)
        *result = length;
    EXPECT_EQ(buffer[length], '\0');
    return std::string(buffer, static_cast<std::size_t>(length));
}

TEST(ResourcesLoadString, CopiesAndShortensToTheBuffer) {
    const HINSTANCE program = program_instance();
    int result = -1;
    EXPECT_EQ(load(program, IDS_APP_TITLE, 10, &result), "Scribblet");
    EXPECT_EQ(result, 9);
    EXPECT_EQ(load(program, IDS_APP_TITLE, 5, &result), "Scri");
    EXPECT_EQ(result, 4);
    EXPECT_EQ(load(program, IDS_APP_TITLE, 1, &result), "");
    EXPECT_EQ(result, 0);
    // Only the low word names the string.
    EXPECT_EQ(load(program, 0x10000 + IDS_APP_TITLE, 64), "Scribblet");
}

TEST(ResourcesLoadString, MissingStringsAndUnusableBuffers) {
    const HINSTANCE program = program_instance();
    int result = -1;
    EXPECT_EQ(load(program, 104, 64, &result), "") << "same block, no string";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(load(program, 500, 64, &result), "") << "no such block";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(load(nullptr, IDS_APP_TITLE, 64, &result), "");
    EXPECT_EQ(result, 0);

    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(LoadStringA(program, IDS_APP_TITLE, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(program, IDS_APP_TITLE, buffer, -3), 0);
    EXPECT_EQ(buffer[0], 'x') << "nothing written without room";
    EXPECT_EQ(LoadStringA(program, IDS_APP_TITLE, nullptr, 10), 0);
}

TEST(ResourcesLoadString, ShortensUtf8WithoutSplittingACharacter) {
    const HINSTANCE instance = test_instance();
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(load(instance, 1, 64), "幅と高さ");
    EXPECT_EQ(load(instance, 1, 7), "幅と");  // room for 6 bytes
    EXPECT_EQ(load(instance, 1, 6), "幅");    // 5 bytes: one character
    EXPECT_EQ(load(instance, 1, 3), "");
    EXPECT_EQ(load(instance, 2, 64), "a\U0001F58Cb\uFFFD");
    EXPECT_EQ(load(instance, 2, 5), "a");     // the 4-byte character does not fit
    EXPECT_EQ(load(instance, 2, 6), "a\U0001F58C");
}

TEST(ResourcesModules, TablesAreSharedAndTheProgramModuleIsOne) {
    const HACCEL table = LoadAcceleratorsA(test_instance(), MAKEINTRESOURCEA(7));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(test_instance(), MAKEINTRESOURCEA(7)), table) << "shared";
    const auto *entries = accelerator_entries(table);
    ASSERT_NE(entries, nullptr);
    const std::vector<AcceleratorEntry> expected{{FVIRTKEY | FCONTROL, 'S', 7}, {FALT, 'x', 8}};
    EXPECT_EQ(*entries, expected);

    const HINSTANCE program = program_instance();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program_instance(), program);
    EXPECT_NE(module_file(program), nullptr);
}

TEST(ResourcesModules, ForeignNullAndMissingAreRefused) {
    const HINSTANCE program = program_instance();
    const HACCEL table = LoadAcceleratorsA(program, MAKEINTRESOURCEA(IDC_SCRIBBLET));
    const HICON icon = LoadIconA(program, MAKEINTRESOURCEA(IDI_SCRIBBLET));
    ASSERT_NE(table, nullptr);
    ASSERT_NE(icon, nullptr);
    // A handle of one kind passed as another.
    EXPECT_EQ(icon_file_bytes(reinterpret_cast<HICON>(table)), nullptr);
    EXPECT_EQ(accelerator_entries(reinterpret_cast<HACCEL>(icon)), nullptr);
    EXPECT_EQ(module_file(reinterpret_cast<HINSTANCE>(icon)), nullptr);
    EXPECT_EQ(accelerator_entries(nullptr), nullptr);
    EXPECT_EQ(icon_file_bytes(nullptr), nullptr);
    // Stock icons are not provided; missing resources give NULL.
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)), nullptr);
    EXPECT_EQ(LoadIconA(program, MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(program, MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(program, nullptr), nullptr);
    EXPECT_FALSE(load_menu(program, MAKEINTRESOURCEA(IDD_ABOUTBOX)));
    EXPECT_FALSE(load_dialog_template(program, MAKEINTRESOURCEA(IDC_SCRIBBLET)));
}

} // namespace
