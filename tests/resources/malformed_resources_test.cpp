// Truncated and malformed resource data is refused, never read past its end
// (the sanitizer builds catch any stray read), and what parses is right.
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "platform/resources/resource_reader.h"
#include "res/embedded_resources.h"
#include "res_builder.h"

using namespace scribblet::resources;
using namespace res_test;

namespace {

Bytes real_file() {
    return Bytes(scribblet_embedded_resources_begin, scribblet_embedded_resources_end);
}

Bytes prefix(const Bytes &bytes, std::size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

Bytes slice(const Bytes &bytes, std::size_t offset, std::size_t length) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(length));
}

// A file cut anywhere parses only when the cut falls where an entry ends
// (its padding aside), and then holds exactly the entries before the cut.
TEST(ResourcesMalformed, FileTruncatedAtEveryByte) {
    const Bytes file = real_file();
    const auto full = ResourceFile::parse(file);
    ASSERT_TRUE(full);
    const auto ranges = entry_data_ranges(file);
    std::set<std::size_t> ends; // entry ends, with all, some or none of their padding
    for (const auto &[offset, size] : ranges)
        for (std::size_t end = offset + size; end <= ((offset + size + 3) & ~std::size_t{3}); ++end)
            ends.insert(end);
    for (std::size_t length = 0; length < file.size(); ++length) {
        const auto parsed = ResourceFile::parse(prefix(file, length));
        if (!ends.count(length)) {
            EXPECT_FALSE(parsed) << "cut at " << length;
            continue;
        }
        ASSERT_TRUE(parsed) << "cut at " << length;
        std::size_t complete = 0;
        while (complete + 1 < ranges.size() &&
               ranges[complete + 1].first + ranges[complete + 1].second <= length)
            ++complete;
        EXPECT_EQ(parsed->entries().size(), complete) << "cut at " << length;
    }
}

// Every resource of the program, cut short anywhere, is refused by its
// parser; a cut string block still gives the strings that are whole.
TEST(ResourcesMalformed, EachResourceTruncatedAtEveryByte) {
    const auto file = ResourceFile::parse(real_file());
    ASSERT_TRUE(file);
    int checked = 0;
    for (const ResourceEntry &entry : file->entries()) {
        if (!entry.type.is_ordinal)
            continue;
        const Bytes whole(entry.data.begin(), entry.data.end());
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const Bytes cut = prefix(whole, length);
            if (entry.type.is(RT_MENU)) {
                EXPECT_FALSE(parse_menu(cut)) << length;
            } else if (entry.type.is(RT_DIALOG)) {
                EXPECT_FALSE(parse_dialog_template(cut)) << length;
            } else if (entry.type.is(RT_ACCELERATOR)) {
                EXPECT_FALSE(parse_accelerators(cut)) << length;
            } else if (entry.type.is(RT_GROUP_ICON)) {
                EXPECT_FALSE(parse_icon_group(cut)) << length;
            } else if (entry.type.is(RT_STRING)) {
                for (unsigned index = 0; index < 16; ++index) {
                    const auto text = string_from_block(cut, index);
                    if (text) {
                        EXPECT_EQ(*text, string_from_block(whole, index).value());
                    }
                }
            } else {
                continue;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(ResourcesMalformed, LengthsPointingPastTheEnd) {
    ResFile file;
    file.add(LOWORD(RT_RCDATA), 1, 0, Bytes{1, 2, 3, 4});
    const Bytes good = file.bytes();
    ASSERT_TRUE(ResourceFile::parse(good));
    const std::size_t entry = 32;

    const auto with_u32 = [&](std::size_t at, std::uint32_t value) {
        Bytes bad = good;
        for (int i = 0; i < 4; ++i)
            bad[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return bad;
    };
    EXPECT_FALSE(ResourceFile::parse(with_u32(entry, 5))) << "data one byte too long";
    EXPECT_FALSE(ResourceFile::parse(with_u32(entry, 0xFFFFFFFF))) << "data size at the limit";
    EXPECT_FALSE(ResourceFile::parse(with_u32(entry + 4, 0xFFFFFFFF))) << "header size at the limit";
    EXPECT_FALSE(ResourceFile::parse(with_u32(entry + 4, 16))) << "header too short for its fields";
    EXPECT_FALSE(ResourceFile::parse(with_u32(0, 4))) << "leading entry with data";
    EXPECT_FALSE(ResourceFile::parse(Bytes{})) << "empty";
    EXPECT_FALSE(ResourceFile::parse(slice(good, 32, good.size() - 32))) << "no leading entry";
    EXPECT_TRUE(ResourceFile::parse(prefix(good, 32))) << "the leading entry alone";
}

TEST(ResourcesMalformed, UnterminatedStrings) {
    // A header whose name string runs to the end of the header.
    Bytes file = ResFile().bytes();
    put_u32(file, 0);  // DataSize
    put_u32(file, 16); // HeaderSize: type ordinal, then "AB" without its zero
    put_ordinal(file, LOWORD(RT_RCDATA));
    put_u16(file, 'A');
    put_u16(file, 'B');
    EXPECT_FALSE(ResourceFile::parse(file));

    Bytes menu;
    put_u32(menu, 0);
    put_u16(menu, 0x80); // last item
    put_u16(menu, 5);
    put_u16(menu, 'X');
    EXPECT_FALSE(parse_menu(menu));

    Bytes dialog;
    put_u16(dialog, 1);      // extended form
    put_u16(dialog, 0xFFFF);
    put_u32(dialog, 0);      // help id
    put_u32(dialog, 0);      // ex style
    put_u32(dialog, 0);      // style, without DS_SETFONT
    put_u16(dialog, 0);      // no items
    for (int i = 0; i < 4; ++i)
        put_u16(dialog, 10);
    put_u16(dialog, 0); // no menu
    put_u16(dialog, 0); // default class
    put_u16(dialog, 'T');
    EXPECT_FALSE(parse_dialog_template(dialog));
    put_u16(dialog, 0);
    const auto whole = parse_dialog_template(dialog);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->title, "T");
    dialog[0] = 0; // the classic form, which the script never writes
    EXPECT_FALSE(parse_dialog_template(dialog));
}

Bytes nested_menu(int depth) {
    Bytes out;
    put_u32(out, 0);
    for (int level = 1; level < depth; ++level) {
        put_u16(out, MF_POPUP | MF_END);
        put_utf16z(out, u"P");
    }
    put_u16(out, MF_END);
    put_u16(out, 42);
    put_utf16z(out, u"I");
    return out;
}

TEST(ResourcesMalformed, MenuNestingIsBounded) {
    const auto deepest = parse_menu(nested_menu(max_menu_depth));
    ASSERT_TRUE(deepest);
    const MenuItem *item = &deepest->items.at(0);
    for (int level = 1; level < max_menu_depth; ++level)
        item = &item->items.at(0);
    EXPECT_EQ(item->id, 42);
    EXPECT_FALSE(parse_menu(nested_menu(max_menu_depth + 1)));
    EXPECT_FALSE(parse_menu(nested_menu(100000)));
}

TEST(ResourcesMalformed, WrongKindsAndMissingParts) {
    Bytes cursor_group;
    put_u16(cursor_group, 0);
    put_u16(cursor_group, 2); // a cursor group
    put_u16(cursor_group, 0);
    EXPECT_FALSE(parse_icon_group(cursor_group));

    Bytes menu_ex;
    put_u16(menu_ex, 1); // MENUEX
    put_u16(menu_ex, 4);
    put_u32(menu_ex, 0);
    EXPECT_FALSE(parse_menu(menu_ex));

    Bytes unmarked; // an accelerator entry without the last-entry mark
    for (int i = 0; i < 4; ++i)
        put_u16(unmarked, 1);
    EXPECT_FALSE(parse_accelerators(unmarked));
    EXPECT_FALSE(parse_accelerators(Bytes{}));

    // An icon group naming an image that the file lacks gives no icon.
    Bytes group;
    put_u16(group, 0);
    put_u16(group, 1);
    put_u16(group, 1);
    group.insert(group.end(), {16, 16, 0, 0});
    put_u16(group, 1);
    put_u16(group, 32);
    put_u32(group, 100);
    put_u16(group, 77);
    ResFile file;
    file.add(LOWORD(RT_GROUP_ICON), 1, 0, group);
    const HINSTANCE instance = load_module(file.bytes());
    ASSERT_NE(instance, nullptr);
    EXPECT_TRUE(parse_icon_group(group));
    EXPECT_EQ(LoadIconA(instance, MAKEINTRESOURCEA(1)), nullptr);
}

// The extended template's item count promises more items than follow.
TEST(ResourcesMalformed, DialogWithMissingItems) {
    const auto file = ResourceFile::parse(real_file());
    ASSERT_TRUE(file);
    const ResourceEntry *about = file->find(RT_DIALOG, MAKEINTRESOURCEA(103));
    ASSERT_NE(about, nullptr);
    Bytes data(about->data.begin(), about->data.end());
    const std::size_t item_count_offset = 16; // after version, signature, help id, styles
    ASSERT_EQ(data[item_count_offset], 6);
    data[item_count_offset] = 7;
    EXPECT_FALSE(parse_dialog_template(data));
}

} // namespace
