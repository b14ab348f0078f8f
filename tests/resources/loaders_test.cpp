// LoadStringA, LoadAcceleratorsA, LoadIconA and resource modules: Windows'
// rules for names, languages, buffer sizes and handles.
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
    file.add(resource_type::string, 1, language::japanese,
             string_block({u"", u"幅と高さ", u"a\U0001F58Cb\xD800"}));
    file.add(resource_type::accelerator, u"KEYS", language::japanese, accelerator_table_data());
    return file.bytes();
}

// Frees the module on leaving a test.
struct LoadedModule {
    explicit LoadedModule(const Bytes &bytes) : instance(load_module(bytes)) {}
    ~LoadedModule() { free_module(instance); }
    HINSTANCE instance;
};

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
    LoadedModule module(test_module());
    ASSERT_NE(module.instance, nullptr);
    EXPECT_EQ(load(module.instance, 1, 64), "幅と高さ");
    EXPECT_EQ(load(module.instance, 1, 7), "幅と");  // room for 6 bytes
    EXPECT_EQ(load(module.instance, 1, 6), "幅");    // 5 bytes: one character
    EXPECT_EQ(load(module.instance, 1, 3), "");
    EXPECT_EQ(load(module.instance, 2, 64), "a\U0001F58Cb\uFFFD");
    EXPECT_EQ(load(module.instance, 2, 5), "a");     // the 4-byte character does not fit
    EXPECT_EQ(load(module.instance, 2, 6), "a\U0001F58C");
}

TEST(ResourcesModules, HandlesGoStaleWithTheirModule) {
    const HINSTANCE instance = load_module(test_module());
    ASSERT_NE(instance, nullptr);
    const HACCEL table = LoadAcceleratorsA(instance, "keys");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsA(instance, "KEYS"), table) << "names ignore case; shared";
    const auto *entries = accelerator_entries(table);
    ASSERT_NE(entries, nullptr);
    const std::vector<AcceleratorEntry> expected{{FVIRTKEY | FCONTROL, 'S', 7}, {FALT, 'x', 8}};
    EXPECT_EQ(*entries, expected);

    EXPECT_EQ(free_module(instance), TRUE);
    EXPECT_EQ(accelerator_entries(table), nullptr);
    EXPECT_EQ(module_file(instance), nullptr);
    EXPECT_EQ(LoadAcceleratorsA(instance, "KEYS"), nullptr);
    EXPECT_EQ(load(instance, 1, 64), "");
    EXPECT_EQ(free_module(instance), FALSE) << "already freed";
}

TEST(ResourcesModules, ProgramModuleIsOneAndStays) {
    const HINSTANCE program = program_instance();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program_instance(), program);
    EXPECT_EQ(free_module(program), FALSE);
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

TEST(ResourcesModules, NumberNamesAndStringTypes) {
    const HINSTANCE program = program_instance();
    EXPECT_TRUE(load_menu(program, "#109"));
    EXPECT_FALSE(load_menu(program, "#1x9"));
    EXPECT_FALSE(load_menu(program, "#70000"));

    ResFile file;
    file.add(u"CUSTOM", u"Thing", language::neutral, Bytes{1, 2, 3});
    LoadedModule module(file.bytes());
    const ResourceEntry *entry = find_resource(module.instance, "custom", "THING");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->data.size(), 3u);
    EXPECT_EQ(find_resource(module.instance, MAKEINTRESOURCEA(10), "THING"), nullptr);
}

TEST(ResourcesModules, LanguageChoiceFollowsFindResourceEx) {
    ResFile file;
    file.add(resource_type::rcdata, 1, language::english_us, Bytes{1});
    file.add(resource_type::rcdata, 1, language::japanese, Bytes{2});
    file.add(resource_type::rcdata, 1, language::neutral, Bytes{3});
    const auto parsed = ResourceFile::parse(file.bytes());
    ASSERT_TRUE(parsed);
    const auto pick = [&](std::uint16_t wanted) {
        const ResourceEntry *entry = parsed->find(ResourceName::from_ordinal(resource_type::rcdata),
                                                  ResourceName::from_ordinal(1), wanted);
        return entry ? entry->data[0] : 0;
    };
    EXPECT_EQ(pick(language::japanese), 2);
    EXPECT_EQ(pick(0x0809), 1) << "English (UK) takes the same primary language";
    EXPECT_EQ(pick(0x0407), 3) << "German falls back to neutral";
    EXPECT_EQ(pick(language::neutral), 1) << "no preference: the first in the file";
}

} // namespace
