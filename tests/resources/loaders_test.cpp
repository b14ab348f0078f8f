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

// A module whose string 1 is Japanese and string 2 holds a character
// outside the basic plane and an unpaired surrogate, and whose accelerator
// table 7 has two entries.
HINSTANCE test_instance()
{
    static const HINSTANCE instance = [] {
        Bytes accelerators;
        for (const int field :
             {FVIRTKEY | FCONTROL, int{'S'}, 7, 0, 0x80 | FALT, int{'x'}, 8, 0})
            put_u16(accelerators, static_cast<std::uint16_t>(field));
        ResFile file;
        file.add(LOWORD(RT_STRING), 1, 0,
                 string_block({u"", u"幅と高さ", u"a\U0001F58Cb\xD800"}));
        file.add(LOWORD(RT_ACCELERATOR), 7, 0, accelerators);
        return load_module(file.bytes());
    }();
    return instance;
}

TEST(ResourcesLoadString, CopiesWhatFitsWithoutSplittingACharacter)
{
    struct Case {
        HINSTANCE instance;
        UINT id;
        int size;
        std::string text;
    };
    const HINSTANCE program = program_instance();
    for (const Case &c :
         {Case{program, IDS_APP_TITLE, 10, "Scribblet"},
          Case{program, IDS_APP_TITLE, 5, "Scri"},
          Case{program, IDS_APP_TITLE, 1, ""},
          Case{program, 0x10000 + IDS_APP_TITLE, 64,
               "Scribblet"},          // the low word names it
          Case{program, 104, 64, ""}, // same block, no string
          Case{program, 500, 64, ""}, // no such block
          Case{nullptr, IDS_APP_TITLE, 64, ""},
          Case{test_instance(), 1, 64, "幅と高さ"},
          Case{test_instance(), 1, 7, "幅と"}, // room for 6 bytes
          Case{test_instance(), 1, 6, "幅"},   // 5 bytes: one character
          Case{test_instance(), 1, 3, ""},
          Case{test_instance(), 2, 64, "a\U0001F58Cb\uFFFD"},
          Case{test_instance(), 2, 5, "a"}, // the 4-byte character does not fit
          Case{test_instance(), 2, 6, "a\U0001F58C"}}) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        const int length = LoadStringA(c.instance, c.id, buffer, c.size);
        EXPECT_EQ(
            std::string(buffer, static_cast<std::size_t>(std::max(length, 0))),
            c.text)
            << c.id << " into " << c.size;
        EXPECT_EQ(buffer[std::max(length, 0)], '\0')
            << c.id << " into " << c.size;
    }
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(LoadStringA(program, IDS_APP_TITLE, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(program, IDS_APP_TITLE, buffer, -3), 0);
    EXPECT_EQ(buffer[0], 'x') << "nothing written without room";
    EXPECT_EQ(LoadStringA(program, IDS_APP_TITLE, nullptr, 10), 0);
}

TEST(ResourcesModules, TablesAreSharedAndTheProgramModuleIsOne)
{
    const HACCEL table =
        LoadAcceleratorsA(test_instance(), MAKEINTRESOURCEA(7));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(test_instance(), MAKEINTRESOURCEA(7)), table)
        << "shared";
    const std::vector<AcceleratorEntry> expected{{FVIRTKEY | FCONTROL, 'S', 7},
                                                 {FALT, 'x', 8}};
    EXPECT_EQ(*accelerator_entries(table), expected);
    EXPECT_EQ(program_instance(), program_instance());
    EXPECT_NE(module_file(program_instance()), nullptr);
}

} // namespace
