// Truncated and malformed resource data is refused, never read past its end
// (the sanitizer builds catch any stray read), and what parses is right.
#include <functional>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "platform/resources/resource_reader.h"
#include "res/embedded_resources.h"
#include "res/resource.h"
#include "res_builder.h"

using namespace scribblet::resources;
using namespace res_test;

namespace {

Bytes real_file()
{
    return Bytes(scribblet_embedded_resources_begin,
                 scribblet_embedded_resources_end);
}

Bytes prefix(const Bytes &bytes, std::size_t length)
{
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

Bytes u16s(std::initializer_list<std::uint16_t> values)
{
    Bytes out;
    for (std::uint16_t value : values)
        put_u16(out, value);
    return out;
}

// A file cut anywhere parses only when the cut falls where an entry ends
// (its padding aside), and then holds exactly the entries before the cut.
TEST(ResourcesMalformed, FileTruncatedAtEveryByte)
{
    const Bytes file = real_file();
    ASSERT_TRUE(ResourceFile::parse(file));
    const auto ranges = entry_data_ranges(file);
    std::set<std::size_t>
        ends; // entry ends, with all, some or none of their padding
    for (const auto &[offset, size] : ranges)
        for (std::size_t end = offset + size;
             end <= ((offset + size + 3) & ~std::size_t{3}); ++end)
            ends.insert(end);
    for (std::size_t length = 0; length < file.size(); ++length) {
        const auto parsed = ResourceFile::parse(prefix(file, length));
        ASSERT_EQ(parsed.has_value(), ends.count(length) == 1)
            << "cut at " << length;
        if (!parsed)
            continue;
        std::size_t complete = 0;
        while (complete + 1 < ranges.size() &&
               ranges[complete + 1].first + ranges[complete + 1].second <=
                   length)
            ++complete;
        EXPECT_EQ(parsed->entries().size(), complete) << "cut at " << length;
    }
}

// Every resource of the program, cut short anywhere, is refused by its
// parser; a cut string block still gives the strings that are whole.
TEST(ResourcesMalformed, EachResourceTruncatedAtEveryByte)
{
    using Parses = std::function<bool(const Bytes &)>;
    const std::vector<std::pair<LPCSTR, Parses>> parsers = {
        {RT_MENU, [](const Bytes &b) { return parse_menu(b).has_value(); }},
        {RT_DIALOG,
         [](const Bytes &b) { return parse_dialog_template(b).has_value(); }},
        {RT_ACCELERATOR,
         [](const Bytes &b) { return parse_accelerators(b).has_value(); }},
        {RT_GROUP_ICON,
         [](const Bytes &b) { return parse_icon_group(b).has_value(); }}};
    const auto file = ResourceFile::parse(real_file());
    ASSERT_TRUE(file);
    int checked = 0;
    for (const ResourceEntry &entry : file->entries()) {
        const Bytes whole(entry.data.begin(), entry.data.end());
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const Bytes cut = prefix(whole, length);
            for (const auto &[type, parses] : parsers)
                if (entry.type.is(type)) {
                    EXPECT_FALSE(parses(cut)) << length;
                    ++checked;
                }
            for (unsigned index = 0; index < 16 && entry.type.is(RT_STRING);
                 ++index) {
                if (const auto text = string_from_block(cut, index)) {
                    EXPECT_EQ(*text, string_from_block(whole, index).value());
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(ResourcesMalformed, LengthsPointingPastTheEnd)
{
    const Bytes good =
        ResFile().add(LOWORD(RT_RCDATA), 1, 0, Bytes{1, 2, 3, 4}).bytes();
    ASSERT_TRUE(ResourceFile::parse(good));
    struct Case {
        std::size_t at;
        std::uint32_t value;
        const char *what;
    };
    for (const Case &c : {Case{32, 5, "data one byte too long"},
                          Case{32, 0xFFFFFFFF, "data size at the limit"},
                          Case{36, 0xFFFFFFFF, "header size at the limit"},
                          Case{36, 16, "header too short for its fields"},
                          Case{0, 4, "leading entry with data"}}) {
        Bytes bad = good;
        for (int i = 0; i < 4; ++i)
            bad[c.at + i] = static_cast<std::uint8_t>(c.value >> (8 * i));
        EXPECT_FALSE(ResourceFile::parse(bad)) << c.what;
    }
    EXPECT_FALSE(ResourceFile::parse(Bytes{})) << "empty";
    EXPECT_FALSE(ResourceFile::parse(Bytes(good.begin() + 32, good.end())))
        << "no leading entry";
    EXPECT_TRUE(ResourceFile::parse(prefix(good, 32)))
        << "the leading entry alone";
}

Bytes nested_menu(int depth)
{
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

TEST(ResourcesMalformed, MenuNestingIsBounded)
{
    const auto deepest = parse_menu(nested_menu(max_menu_depth));
    ASSERT_TRUE(deepest);
    const MenuItem *item = &deepest->items.at(0);
    for (int level = 1; level < max_menu_depth; ++level)
        item = &item->items.at(0);
    EXPECT_EQ(item->id, 42);
    EXPECT_FALSE(parse_menu(nested_menu(max_menu_depth + 1)));
    EXPECT_FALSE(parse_menu(nested_menu(100000)));
}

// An extended dialog template without DS_SETFONT and items, titled "T".
Bytes small_dialog()
{
    return u16s({1, 0xFFFF, 0, 0, 0, 0, 0, 0, 0, 10, 10, 10, 10, 0, 0, 'T', 0});
}

TEST(ResourcesMalformed, WrongKindsUnterminatedAndMissingParts)
{
    const auto dialog = parse_dialog_template(small_dialog());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->title, "T");
    Bytes classic =
        small_dialog(); // the classic form, which the script never writes
    classic[0] = 0;
    const auto file = ResourceFile::parse(real_file());
    ASSERT_TRUE(file);
    const auto about_data =
        file->find(RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX))->data;
    Bytes about(about_data.begin(), about_data.end());
    ASSERT_EQ(about[16], 6)
        << "the item count, after version, signature, help id, styles";
    about[16] = 7;
    // A header whose name string runs to the end of the header.
    Bytes unterminated_name = ResFile().bytes();
    put_u32(unterminated_name, 0);
    put_u32(unterminated_name, 16);
    put_ordinal(unterminated_name, LOWORD(RT_RCDATA));
    put_u16(unterminated_name, 'A');
    put_u16(unterminated_name, 'B');
    EXPECT_FALSE(ResourceFile::parse(unterminated_name));
    EXPECT_FALSE(parse_dialog_template(
        prefix(small_dialog(), small_dialog().size() - 2)));
    EXPECT_FALSE(parse_dialog_template(classic));
    EXPECT_FALSE(parse_dialog_template(about))
        << "one item more promised than follows";
    EXPECT_FALSE(parse_menu(u16s({0, 0, 0x80, 5, 'X'})))
        << "item text unterminated";
    EXPECT_FALSE(parse_menu(u16s({1, 4, 0, 0}))) << "MENUEX";
    EXPECT_FALSE(parse_icon_group(u16s({0, 2, 0}))) << "a cursor group";
    EXPECT_FALSE(parse_accelerators(u16s({1, 1, 1, 1})))
        << "no last-entry mark";
    EXPECT_FALSE(parse_accelerators(Bytes{}));

    // An icon group naming an image that the file lacks gives no icon.
    const Bytes group = u16s({0, 1, 1, 16 | 16 << 8, 0, 1, 32, 100, 0, 77});
    EXPECT_TRUE(parse_icon_group(group));
    const HINSTANCE instance =
        load_module(ResFile().add(LOWORD(RT_GROUP_ICON), 1, 0, group).bytes());
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(LoadIconA(instance, MAKEINTRESOURCEA(1)), nullptr);
}

} // namespace
