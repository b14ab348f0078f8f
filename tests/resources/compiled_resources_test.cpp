// The program's compiled resources (res/scribblet.rc through windres), read
// back through the reader from the bytes embedded in the program.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "platform/resources/resource_reader.h"
#include "res/resource.h"

using namespace scribblet::resources;

namespace {

// Windows' values that only this test needs (SS_LEFT, ES_LEFT and
// BS_PUSHBUTTON are 0).
constexpr std::uint32_t no_id = 0xFFFFFFFF; // IDC_STATIC
constexpr std::uint32_t ss_noprefix = 0x80;
constexpr std::uint32_t ss_notify = 0x100;
constexpr std::uint32_t ds_modalframe = 0x80;
constexpr std::uint32_t frame_style =
    DS_SETFONT | ds_modalframe | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr std::uint32_t child = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t group_static = child | WS_GROUP;
constexpr std::uint32_t edit_field = child | WS_BORDER | WS_TABSTOP;
constexpr std::uint32_t default_button = child | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr std::uint32_t icon_static = child | SS_ICON;

HINSTANCE program() { return program_instance(); }

// --- Menu -------------------------------------------------------------------

struct Expected {
    std::uint16_t id; // 0 for popups and separators
    std::string text; // empty for separators
    std::vector<Expected> items;
};

Expected item(std::uint16_t id, std::string text) { return {id, std::move(text), {}}; }
Expected separator() { return {0, "", {}}; }
Expected popup(std::string text, std::vector<Expected> items) {
    return {0, std::move(text), std::move(items)};
}

// The commands of one mouse button's pen, in the order of its menu.
struct PenCommands {
    std::uint16_t red, green, blue, black, white, enlarge, shrink, size1, size3, size5;
};

Expected button_popup(std::string label, const PenCommands &c) {
    return popup(std::move(label),
                 {popup("色(&C)", {item(c.red, "赤(&R)"), item(c.green, "緑(&G)"),
                                   item(c.blue, "青(&B)"), separator(),
                                   item(c.black, "黒(&L)"), item(c.white, "白(&W)")}),
                  popup("ペンサイズ(&P)",
                        {item(c.enlarge, "大きくする(&I)"), item(c.shrink, "小さくする(&D)"),
                         separator(), item(c.size1, "サイズ1にする(&1)"),
                         item(c.size3, "サイズ3にする(&3)"), item(c.size5, "サイズ5にする(&5)")})});
}

std::vector<Expected> expected_menu_bar() {
    return {
        popup("ファイル(&F)",
              {item(IDM_SAVE, "保存(&S)"), separator(),
               item(IDM_EXIT, "アプリケーションの終了(&X)")}),
        button_popup("左ボタン(&L)",
                     {IDM_LEFT_RED, IDM_LEFT_GREEN, IDM_LEFT_BLUE, IDM_LEFT_BLACK, IDM_LEFT_WHITE,
                      IDM_LEFT_ENLARGE, IDM_LEFT_SHRINK, IDM_LEFT_SIZE1, IDM_LEFT_SIZE3,
                      IDM_LEFT_SIZE5}),
        button_popup("右ボタン(&R)",
                     {IDM_RIGHT_RED, IDM_RIGHT_GREEN, IDM_RIGHT_BLUE, IDM_RIGHT_BLACK,
                      IDM_RIGHT_WHITE, IDM_RIGHT_ENLARGE, IDM_RIGHT_SHRINK, IDM_RIGHT_SIZE1,
                      IDM_RIGHT_SIZE3, IDM_RIGHT_SIZE5}),
        popup("ヘルプ(&H)",
              {item(IDM_ONLINE_HELP, "オンラインヘルプ(&O)"),
               item(IDM_ABOUT, "バージョン情報(&A)...")}),
    };
}

void expect_items(const std::vector<MenuItem> &actual, const std::vector<Expected> &expected,
                  const std::string &where) {
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const MenuItem &a = actual[i];
        const Expected &e = expected[i];
        const std::string here = where + " / " + (e.text.empty() ? "separator" : e.text);
        EXPECT_EQ(a.text, e.text) << here;
        EXPECT_EQ(a.id, e.id) << here;
        const bool is_popup = !e.items.empty();
        EXPECT_EQ(a.is_popup(), is_popup) << here;
        EXPECT_EQ(a.is_separator(), e.text.empty()) << here;
        // Nothing is checked, grayed or disabled at start.
        EXPECT_EQ(a.flags & ~MF_POPUP, 0) << here;
        expect_items(a.items, e.items, here);
    }
}

TEST(ResourcesCompiled, MenuBarHasEveryLabelAndCommandInOrder) {
    const auto menu = load_menu(program(), MAKEINTRESOURCEA(IDC_SCRIBBLET));
    ASSERT_TRUE(menu);
    expect_items(menu->items, expected_menu_bar(), "menu 109");
}

// --- Dialogs ----------------------------------------------------------------

struct ExpectedControl {
    std::uint32_t id;
    std::uint16_t control_class;
    std::uint32_t style;
    std::int16_t x, y, cx, cy;
    std::optional<std::string> text; // nothing: any text of our own
    std::uint16_t icon = 0;          // an icon ordinal instead of a text
};

void expect_frame(const DialogTemplate &dialog, const std::string &caption,
                  std::int16_t cx, std::int16_t cy) {
    EXPECT_EQ(dialog.style, frame_style);
    EXPECT_EQ(dialog.x, 22);
    EXPECT_EQ(dialog.y, 17);
    EXPECT_EQ(dialog.cx, cx);
    EXPECT_EQ(dialog.cy, cy);
    EXPECT_EQ(dialog.title, caption);
    EXPECT_EQ(dialog.point_size, 9);
    EXPECT_EQ(dialog.face, "MS UI Gothic");
}

void expect_controls(const DialogTemplate &dialog, const std::vector<ExpectedControl> &expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogItem &a = dialog.items[i];
        const ExpectedControl &e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(a.class_ordinal, e.control_class);
        EXPECT_EQ(a.style, e.style);
        EXPECT_EQ(a.x, e.x);
        EXPECT_EQ(a.y, e.y);
        EXPECT_EQ(a.cx, e.cx);
        EXPECT_EQ(a.cy, e.cy);
        if (e.icon != 0)
            EXPECT_EQ(a.title, ResourceName::from_ordinal(e.icon));
        else if (e.text)
            EXPECT_EQ(a.title, ResourceName::from_text(*e.text));
        else
            EXPECT_FALSE(a.title.is_ordinal || a.title.text.empty());
    }
}

DialogTemplate dialog(int id) {
    auto parsed = load_dialog_template(program(), MAKEINTRESOURCEA(id));
    EXPECT_TRUE(parsed) << "dialog " << id;
    return parsed.value_or(DialogTemplate{});
}

TEST(ResourcesCompiled, CanvasSizeDialogTemplate) {
    const DialogTemplate d = dialog(IDD_CANVAS_SIZE);
    expect_frame(d, "描画領域のサイズを入力して下さい", 120, 45);
    expect_controls(d, {
        {no_id, control_class::static_text, group_static, 10, 12, 50, 8, "幅"},
        {no_id, control_class::static_text, group_static, 10, 24, 50, 8, "高さ"},
        {IDC_WIDTH, control_class::edit, edit_field, 25, 10, 50, 12, ""},
        {IDC_HEIGHT, control_class::edit, edit_field, 25, 22, 50, 12, ""},
        {IDOK, control_class::button, default_button, 80, 22, 30, 11, "OK"},
    });
}

TEST(ResourcesCompiled, AboutBoxTemplate) {
    const DialogTemplate d = dialog(IDD_ABOUTBOX);
    expect_frame(d, "バージョン情報", 230, 75);
    expect_controls(d, {
        {IDC_ICON_STATIC, control_class::static_text, icon_static, 14, 9, 16, 16, std::nullopt, IDI_SCRIBBLET},
        {no_id, control_class::static_text, group_static | ss_noprefix, 49, 10, 119, 8,
         "Scribblet Version 1.10"},
        {no_id, control_class::static_text, group_static, 49, 20, 119, 8, std::nullopt},
        {no_id, control_class::static_text, group_static, 12, 36, 200, 8,
         "このプログラムではIJGのJpeg圧縮・解凍ライブラリを使用しています"},
        {IDOK, control_class::button, default_button, 195, 6, 30, 11, "OK"},
        {IDC_IJG_LINK, control_class::button, child | WS_TABSTOP, 12, 45, 70, 11,
         "http://www.ijg.org/"},
    });
    ASSERT_FALSE(d.items.empty());
    EXPECT_EQ(d.items[0].style & ss_notify, 0u) << "the icon sends no commands";
}

TEST(ResourcesCompiled, UnusedInputDialogTemplate) {
    const DialogTemplate d = dialog(IDD_INPUT);
    expect_frame(d, "入力して下さい", 230, 75);
    expect_controls(d, {
        {IDC_ICON_STATIC, control_class::static_text, icon_static, 14, 9, 16, 16, std::nullopt, IDI_SCRIBBLET},
        {IDOK, control_class::button, default_button, 195, 6, 30, 11, "OK"},
    });
}

// --- Strings, accelerators, manifest --------------------------------------

std::string load_string(UINT id) {
    char buffer[100];
    const int length = LoadStringA(program(), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

TEST(ResourcesCompiled, StringTableHoldsOnlyTitleAndClassName) {
    EXPECT_EQ(load_string(IDS_APP_TITLE), "Scribblet");
    EXPECT_EQ(load_string(IDS_WINDOW_CLASS), "WIN32_ZORBALIN");
    int strings = 0;
    for (const ResourceEntry &entry : module_file(program())->entries()) {
        if (!entry.type.is(RT_STRING))
            continue;
        for (unsigned index = 0; index < 16; ++index) {
            const auto text = string_from_block(entry.data, index);
            ASSERT_TRUE(text);
            strings += !text->empty();
        }
    }
    EXPECT_EQ(strings, 2);
}

TEST(ResourcesCompiled, AcceleratorsAreAltQuestionMarkAndAltSlash) {
    const HACCEL table = LoadAcceleratorsA(program(), MAKEINTRESOURCEA(IDC_SCRIBBLET));
    ASSERT_NE(table, nullptr);
    const auto *entries = accelerator_entries(table);
    ASSERT_NE(entries, nullptr);
    const std::vector<AcceleratorEntry> expected{{FALT, '?', IDM_ABOUT}, {FALT, '/', IDM_ABOUT}};
    EXPECT_EQ(*entries, expected);
}

TEST(ResourcesCompiled, ManifestDeclaresNothing) {
    const ResourceEntry *manifest =
        module_file(program())->find(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_NE(manifest, nullptr);
    const std::string text(manifest->data.begin(), manifest->data.end());
    EXPECT_NE(text.find("<assembly"), std::string::npos);
    EXPECT_EQ(text.find("dependency"), std::string::npos);
    EXPECT_EQ(text.find("requestedExecutionLevel"), std::string::npos);
}

// --- Icons --------------------------------------------------------------------

using SizeAndDepth = std::pair<int, int>;

std::vector<SizeAndDepth> expected_images() {
    return {{16, 4}, {16, 8}, {16, 32}, {32, 4}, {32, 8}, {32, 32}, {48, 8}, {48, 32}};
}

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

class ResourcesCompiledIcon : public testing::TestWithParam<int> {};

TEST_P(ResourcesCompiledIcon, GroupHasEightImagesMatchingTheirBitmaps) {
    const ResourceFile &file = *module_file(program());
    const ResourceEntry *entry = file.find(RT_GROUP_ICON, MAKEINTRESOURCEA(GetParam()));
    ASSERT_NE(entry, nullptr);
    const auto group = parse_icon_group(entry->data);
    ASSERT_TRUE(group);
    std::vector<SizeAndDepth> found;
    for (const IconGroupEntry &image : group->entries) {
        found.emplace_back(image.width, image.bit_count); // none is 256 wide (0)
        EXPECT_EQ(image.width, image.height);
        EXPECT_EQ(image.color_count, image.bit_count == 4 ? 16 : 0);
        const ResourceEntry *bitmap = file.find(RT_ICON, MAKEINTRESOURCEA(image.icon_id));
        ASSERT_NE(bitmap, nullptr);
        ASSERT_GE(bitmap->data.size(), 40u);
        EXPECT_EQ(bitmap->data.size(), image.bytes_in_res);
        EXPECT_EQ(le32(bitmap->data, 4), std::uint32_t{image.width});
        EXPECT_EQ(le32(bitmap->data, 8), 2u * image.height);
        EXPECT_EQ(bitmap->data[14], image.bit_count);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected_images());
}

// Qt's ICO reader, as the window system uses it, finds every image, and the
// drawing is a real one: transparent around, opaque inside.
TEST_P(ResourcesCompiledIcon, LoadIconGivesAnIcoFileThatQtReads) {
    const HICON icon = LoadIconA(program(), MAKEINTRESOURCEA(GetParam()));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(program(), MAKEINTRESOURCEA(GetParam())), icon) << "shared, as on Windows";
    const auto *bytes = icon_file_bytes(icon);
    ASSERT_NE(bytes, nullptr);
    QByteArray data(reinterpret_cast<const char *>(bytes->data()), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), 8);
    std::vector<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.width(), image.height());
        sizes.push_back(image.width());
        EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << "corner transparent";
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 3, image.height() / 2)), 255) << "paper opaque";
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 16, 16, 32, 32, 32, 48, 48}));
}

INSTANTIATE_TEST_SUITE_P(LargeAndSmall, ResourcesCompiledIcon,
                         testing::Values(IDI_SCRIBBLET, IDI_SMALL));

} // namespace
