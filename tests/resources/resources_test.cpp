// The resource reader: on the program's compiled resources (res/scribblet.rc
// through windres, embedded in the program) as the program loads them, and
// on cut and corrupted data, which it refuses without reading past the end
// (the sanitizer builds catch any stray read).
#include <cstring>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "platform/resources/resource_reader.h"
#include "res/embedded_resources.h"
#include "res/resource.h"
#include "tests/resources/res_builder.h"

using namespace scribblet::resources;
using namespace res_test;

namespace {

HINSTANCE program()
{
    return program_instance();
}

// A menu as text: "label=id" items, popups as "label[...]", separators "-".
std::string outline(const std::vector<MenuItem> &items)
{
    std::string out;
    for (const MenuItem &item : items) {
        EXPECT_EQ(item.flags & ~MF_POPUP, 0) << item.text;
        out += item.is_popup() ? item.text + "[" + outline(item.items) + "]"
               : item.is_separator()
                   ? "-"
                   : item.text + "=" + std::to_string(item.id);
        out += ' ';
    }
    return out;
}

// A pen's popup; ids: red, green, blue, black, white, enlarge, shrink,
// size 1, 3, 5.
std::string pen_popup(const std::string &label, std::vector<int> ids)
{
    const auto item = [&ids](const char *text, int at) {
        return text + ("=" + std::to_string(ids[at])) + " ";
    };
    return label + "[色(&C)[" + item("赤(&R)", 0) + item("緑(&G)", 1) +
           item("青(&B)", 2) + "- " + item("黒(&L)", 3) + item("白(&W)", 4) +
           "] ペンサイズ(&P)[" + item("大きくする(&I)", 5) +
           item("小さくする(&D)", 6) + "- " + item("サイズ1にする(&1)", 7) +
           item("サイズ3にする(&3)", 8) + item("サイズ5にする(&5)", 9) + "] ] ";
}

TEST(ResourcesCompiled, MenuBarHasEveryLabelAndCommandInOrder)
{
    const auto menu = load_menu(program(), MAKEINTRESOURCEA(IDC_SCRIBBLET));
    ASSERT_TRUE(menu);
    EXPECT_EQ(
        outline(menu->items),
        "ファイル(&F)[保存(&S)=" + std::to_string(IDM_SAVE) +
            " - アプリケーションの終了(&X)=" + std::to_string(IDM_EXIT) +
            " ] " +
            pen_popup("左ボタン(&L)",
                      {IDM_LEFT_RED, IDM_LEFT_GREEN, IDM_LEFT_BLUE,
                       IDM_LEFT_BLACK, IDM_LEFT_WHITE, IDM_LEFT_ENLARGE,
                       IDM_LEFT_SHRINK, IDM_LEFT_SIZE1, IDM_LEFT_SIZE3,
                       IDM_LEFT_SIZE5}) +
            pen_popup("右ボタン(&R)",
                      {IDM_RIGHT_RED, IDM_RIGHT_GREEN, IDM_RIGHT_BLUE,
                       IDM_RIGHT_BLACK, IDM_RIGHT_WHITE, IDM_RIGHT_ENLARGE,
                       IDM_RIGHT_SHRINK, IDM_RIGHT_SIZE1, IDM_RIGHT_SIZE3,
                       IDM_RIGHT_SIZE5}) +
            "ヘルプ(&H)[オンラインヘルプ(&O)=" +
            std::to_string(IDM_ONLINE_HELP) +
            " バージョン情報(&A)...=" + std::to_string(IDM_ABOUT) + " ] ");
}

// A dialog as text: title, style, font, frame; then a line per control:
// id, class, style, frame, title.
std::string layout(int id)
{
    const auto d = load_dialog_template(program(), MAKEINTRESOURCEA(id));
    if (!d)
        return "no dialog";
    const auto frame = [](std::initializer_list<short> values) {
        std::string out;
        for (const short v : values)
            out += " " + std::to_string(v);
        return out;
    };
    std::string out = d->title + " " + std::to_string(d->style) + " " +
                      d->face + " " + std::to_string(d->point_size) +
                      frame({d->x, d->y, d->cx, d->cy});
    for (const DialogItem &item : d->items)
        out += "\n" + std::to_string(static_cast<int>(item.id)) + " " +
               std::to_string(item.class_ordinal) + " " +
               std::to_string(item.style) +
               frame({item.x, item.y, item.cx, item.cy}) + " " +
               (item.title.is_ordinal ? "#" + std::to_string(item.title.ordinal)
                                      : item.title.text);
    return out;
}

TEST(ResourcesCompiled, DialogTemplates)
{
    // Windows' class ordinals: 128 button, 129 edit, 130 static.
    constexpr std::uint32_t ds_modalframe = 0x80, child = WS_CHILD | WS_VISIBLE;
    const std::string style = std::to_string(
        DS_SETFONT | ds_modalframe | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    const std::string label = " 130 " + std::to_string(child | WS_GROUP);
    const std::string field =
        " 129 " + std::to_string(child | WS_BORDER | WS_TABSTOP);
    const std::string ok =
        "\n1 128 " +
        std::to_string(child | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
    EXPECT_EQ(layout(IDD_CANVAS_SIZE),
              "描画領域のサイズを入力して下さい " + style +
                  " MS UI Gothic 9 22 17 120 45\n-1" + label +
                  " 10 12 50 8 幅\n-1" + label + " 10 24 50 8 高さ\n" +
                  std::to_string(IDC_WIDTH) + field + " 25 10 50 12 \n" +
                  std::to_string(IDC_HEIGHT) + field + " 25 22 50 12 " + ok +
                  " 80 22 30 11 OK");
    // The About box: its icon, named by ordinal, and its buttons.
    const std::string about = layout(IDD_ABOUTBOX);
    for (const std::string &line :
         {"バージョン情報 " + style + " MS UI Gothic 9 22 17 230 75\n",
          "\n" + std::to_string(IDC_ICON_STATIC) + " 130 " +
              std::to_string(child | SS_ICON) + " 14 9 16 16 #" +
              std::to_string(IDI_SCRIBBLET) + "\n",
          ok + " 195 6 30 11 OK\n",
          "\n" + std::to_string(IDC_IJG_LINK) + " 128 " +
              std::to_string(child | WS_TABSTOP) +
              " 12 45 70 11 http://www.ijg.org/"})
        EXPECT_NE(about.find(line), std::string::npos) << line << about;
}

TEST(ResourcesCompiled, StringsAndAcceleratorsAsTheProgramLoadsThem)
{
    struct Case {
        UINT id;
        int size;
        std::string text;
    };
    for (const Case &c :
         {Case{IDS_APP_TITLE, 64, "Scribblet"},
          Case{IDS_WINDOW_CLASS, 64, "WIN32_ZORBALIN"},
          Case{IDS_APP_TITLE, 5, "Scri"}, Case{IDS_APP_TITLE, 1, ""},
          Case{IDS_APP_TITLE + 1, 64, ""}}) {
        char buffer[65];
        std::memset(buffer, '#', 64);
        buffer[64] = '\0';
        EXPECT_EQ(LoadStringA(program(), c.id, buffer, c.size),
                  static_cast<int>(c.text.size()));
        EXPECT_EQ(buffer, c.text) << c.id << " into " << c.size;
    }
    const HACCEL table =
        LoadAcceleratorsA(program(), MAKEINTRESOURCEA(IDC_SCRIBBLET));
    ASSERT_NE(table, nullptr);
    const std::vector<AcceleratorEntry> expected{{FALT, '?', IDM_ABOUT},
                                                 {FALT, '/', IDM_ABOUT}};
    EXPECT_EQ(*accelerator_entries(table), expected);
}

// Transparent around, opaque inside: a real drawing.
void expect_drawn(const QImage &image, int size)
{
    ASSERT_FALSE(image.isNull()) << size;
    EXPECT_EQ(image.width(), size);
    EXPECT_EQ(image.height(), size);
    EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0) << "corner transparent";
    EXPECT_EQ(qAlpha(image.pixel(size / 3, size / 2)), 255) << "paper opaque";
}

// LoadIconA gives an ICO file of the group's eight images that Qt's reader,
// as the window system uses it, reads whole; the desktop's icons are drawn
// at their sizes.
TEST(ResourcesCompiled, IconsAreDrawnAtEverySize)
{
    for (const int id : {IDI_SCRIBBLET, IDI_SMALL}) {
        const HICON icon = LoadIconA(program(), MAKEINTRESOURCEA(id));
        ASSERT_NE(icon, nullptr) << id;
        const auto *bytes = icon_file_bytes(icon);
        QByteArray data(reinterpret_cast<const char *>(bytes->data()),
                        static_cast<qsizetype>(bytes->size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "ico");
        std::multiset<int> sizes;
        for (int i = 0; i < reader.imageCount(); ++i) {
            ASSERT_TRUE(reader.jumpToImage(i));
            const QImage image = reader.read();
            expect_drawn(image, image.width());
            sizes.insert(image.width());
        }
        EXPECT_EQ(sizes, (std::multiset<int>{16, 16, 16, 32, 32, 32, 48, 48}));
    }
    for (const int size : {16, 32, 48, 256})
        expect_drawn(
            QImage(QStringLiteral(SCRIBBLET_ICON_DIR "/scribblet-%1.png")
                       .arg(size)),
            size);
}

Bytes prefix(const Bytes &bytes, std::size_t length)
{
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

std::uint32_t u32_at(const Bytes &bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The program's resource file cut anywhere parses only where an entry's
// data ends (with all, some or none of its padding), and then holds the
// entries before the cut; each of its resources cut anywhere is refused,
// and a cut string block gives only the strings that are whole.
TEST(ResourcesMalformed, TruncatedAnywhere)
{
    const Bytes file(scribblet_embedded_resources_begin,
                     scribblet_embedded_resources_end);
    const auto padded = [](std::size_t n) { return (n + 3) & ~std::size_t{3}; };
    // Each entry's data end, walking the headers (DataSize, HeaderSize).
    std::vector<std::size_t> ends;
    for (std::size_t at = 0; at + 8 <= file.size(); at = padded(ends.back()))
        ends.push_back(at + u32_at(file, at + 4) + u32_at(file, at));
    for (std::size_t length = 0; length < file.size(); ++length) {
        std::size_t whole = 0, cut_in_padding = 0;
        for (const std::size_t end : ends) {
            whole += end <= length;
            cut_in_padding += end <= length && length <= padded(end);
        }
        const auto parsed = ResourceFile::parse(prefix(file, length));
        ASSERT_EQ(parsed.has_value(), cut_in_padding == 1) << length;
        if (parsed) {
            EXPECT_EQ(parsed->entries().size() + 1, whole) << length;
        }
    }

    // Whether a cut resource is refused (a string block: gives only the
    // strings that are whole).
    using Span = std::span<const std::uint8_t>;
    using Check = std::function<bool(Span cut, Span whole)>;
    const auto refused = [](auto parse) {
        return Check([parse](Span cut, Span) { return !parse(cut); });
    };
    const std::vector<std::pair<LPCSTR, Check>> checks = {
        {RT_MENU, refused(parse_menu)},
        {RT_DIALOG, refused(parse_dialog_template)},
        {RT_ACCELERATOR, refused(parse_accelerators)},
        {RT_GROUP_ICON, refused(parse_icon_group)},
        {RT_STRING, [](Span cut, Span whole) {
             for (unsigned index = 0; index < 16; ++index) {
                 const auto text = string_from_block(cut, index);
                 if (text && text != string_from_block(whole, index))
                     return false;
             }
             return true;
         }}};
    const auto parsed = ResourceFile::parse(file);
    ASSERT_TRUE(parsed);
    std::set<LPCSTR> met;
    for (const ResourceEntry &entry : parsed->entries())
        for (const auto &[type, check] : checks)
            for (std::size_t length = 0;
                 entry.type.is(type) && length < entry.data.size(); ++length) {
                met.insert(type);
                EXPECT_TRUE(check(entry.data.first(length), entry.data))
                    << length;
            }
    EXPECT_EQ(met.size(), checks.size());
}

// A menu of depth levels, each a popup "P" but the last, item 42 "I".
Bytes nested_menu(int depth)
{
    Bytes out(4, 0);
    for (int level = 1; level < depth; ++level)
        put_u16(put_u16(put_u16(out, MF_POPUP | MF_END), 'P'), 0);
    return put_u16(put_u16(put_u16(put_u16(out, MF_END), 42), 'I'), 0);
}

Bytes with_u32(Bytes bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

TEST(ResourcesMalformed, LengthsAndDepthsAtTheirBounds)
{
    const Bytes good = ResFile().add(10, 1, Bytes{1, 2, 3, 4}).bytes();
    const auto file = [](const Bytes &b) {
        return ResourceFile::parse(b).has_value();
    };
    const auto menu = [](const Bytes &b) { return parse_menu(b).has_value(); };
    struct Case {
        const char *what;
        Bytes data;
        std::function<bool(const Bytes &)> parses;
        bool expected;
    };
    for (const Case &c :
         {Case{"one entry", good, file, true},
          Case{"data one byte too long", with_u32(good, 32, 5), file, false},
          Case{"data size at the limit", with_u32(good, 32, ~0u), file, false},
          Case{"header size at the limit", with_u32(good, 36, ~0u), file,
               false},
          Case{"header too short for its fields", with_u32(good, 36, 16), file,
               false},
          Case{"leading entry with data", with_u32(good, 0, 4), file, false},
          Case{"the leading entry alone", prefix(good, 32), file, true},
          Case{"menu at the deepest", nested_menu(max_menu_depth), menu, true},
          Case{"menu one deeper", nested_menu(max_menu_depth + 1), menu,
               false}})
        EXPECT_EQ(c.parses(c.data), c.expected) << c.what;
}

} // namespace
