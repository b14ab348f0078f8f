// The program's compiled resources (res/scribblet.rc through windres), read
// back through the reader from the bytes embedded in the program, and the
// icons as the window system and the desktop load them.
#include <algorithm>
#include <string>
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

HINSTANCE program()
{
    return program_instance();
}

// A menu as text: "label=id" items, popups as "label[...]", separators "-".
std::string outline(const std::vector<MenuItem> &items)
{
    std::string out;
    for (const MenuItem &item : items) {
        EXPECT_EQ(item.flags & ~MF_POPUP, 0)
            << item.text << ": checked, grayed or disabled";
        EXPECT_EQ(item.is_separator(), item.text.empty() && !item.is_popup());
        out += item.is_separator() ? "-" : item.text;
        out += item.is_popup()       ? "[" + outline(item.items) + "]"
               : item.is_separator() ? ""
                                     : "=" + std::to_string(item.id);
        out += ' ';
    }
    return out;
}

// A pen's popup; ids: red, green, blue, black, white, enlarge, shrink,
// size 1, 3, 5.
std::string pen_popup(const char *label, std::vector<int> ids)
{
    std::vector<std::string> id;
    for (int value : ids)
        id.push_back(std::to_string(value));
    return std::string(label) + "[色(&C)[赤(&R)=" + id[0] + " 緑(&G)=" + id[1] +
           " 青(&B)=" + id[2] + " - 黒(&L)=" + id[3] + " 白(&W)=" + id[4] +
           " ] ペンサイズ(&P)[大きくする(&I)=" + id[5] +
           " 小さくする(&D)=" + id[6] + " - サイズ1にする(&1)=" + id[7] +
           " サイズ3にする(&3)=" + id[8] + " サイズ5にする(&5)=" + id[9] +
           " ] ] ";
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

// A dialog as text: its frame, then one line per control.
std::string layout(int id)
{
    const auto d = load_dialog_template(program(), MAKEINTRESOURCEA(id));
    if (!d)
        return "no dialog";
    std::string out = d->title + " " + std::to_string(d->style) + " " +
                      d->face + " " + std::to_string(d->point_size);
    for (const short v : {d->x, d->y, d->cx, d->cy})
        out += " " + std::to_string(v);
    for (const DialogItem &item : d->items) {
        out += "\n" + std::to_string(static_cast<int>(item.id)) + " " +
               std::to_string(item.class_ordinal) + " " +
               std::to_string(item.style);
        for (const short v : {item.x, item.y, item.cx, item.cy})
            out += " " + std::to_string(v);
        out += " " + (item.title.is_ordinal
                          ? "#" + std::to_string(item.title.ordinal)
                          : item.title.text);
    }
    return out;
}

std::string control(int id, int control_class, std::uint32_t style,
                    std::string position, std::string title)
{
    return "\n" + std::to_string(id) + " " + std::to_string(control_class) +
           " " + std::to_string(style) + " " + position + " " + title;
}

TEST(ResourcesCompiled, DialogTemplates)
{
    // Windows' values that only this test needs (SS_LEFT, ES_LEFT and
    // BS_PUSHBUTTON are 0).
    constexpr std::uint32_t ds_modalframe = 0x80, ss_noprefix = 0x80;
    const std::string frame =
        " " +
        std::to_string(DS_SETFONT | ds_modalframe | WS_POPUP | WS_CAPTION |
                       WS_SYSMENU) +
        " MS UI Gothic 9 22 17 ";
    constexpr std::uint32_t child = WS_CHILD | WS_VISIBLE;
    constexpr std::uint32_t label = child | WS_GROUP;
    constexpr std::uint32_t field = child | WS_BORDER | WS_TABSTOP;
    constexpr std::uint32_t ok =
        child | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP;
    using namespace control_class;
    EXPECT_EQ(layout(IDD_CANVAS_SIZE),
              "描画領域のサイズを入力して下さい" + frame + "120 45" +
                  control(-1, static_text, label, "10 12 50 8", "幅") +
                  control(-1, static_text, label, "10 24 50 8", "高さ") +
                  control(IDC_WIDTH, edit, field, "25 10 50 12", "") +
                  control(IDC_HEIGHT, edit, field, "25 22 50 12", "") +
                  control(IDOK, button, ok, "80 22 30 11", "OK"));
    const std::string about = layout(IDD_ABOUTBOX);
    const std::string copyright =
        control(-1, static_text, label, "49 20 119 8", "");
    // The copyright line is the program's own; only its place is checked.
    ASSERT_NE(about.find(copyright), std::string::npos) << about;
    EXPECT_EQ(about.substr(0, about.find(copyright)) +
                  about.substr(about.find('\n', about.find(copyright) + 1)),
              "バージョン情報" + frame + "230 75" +
                  control(IDC_ICON_STATIC, static_text, child | SS_ICON,
                          "14 9 16 16", "#" + std::to_string(IDI_SCRIBBLET)) +
                  control(-1, static_text, label | ss_noprefix, "49 10 119 8",
                          "Scribblet Version 1.10") +
                  control(-1, static_text, label, "12 36 200 8",
                          "このプログラムではIJGのJpeg圧縮・解凍ライブラリを使"
                          "用しています") +
                  control(IDOK, button, ok, "195 6 30 11", "OK") +
                  control(IDC_IJG_LINK, button, child | WS_TABSTOP,
                          "12 45 70 11", "http://www.ijg.org/"));
}

TEST(ResourcesCompiled, StringsAcceleratorsAndManifest)
{
    char buffer[100];
    EXPECT_EQ(
        std::string(buffer, LoadStringA(program(), IDS_APP_TITLE, buffer, 100)),
        "Scribblet");
    EXPECT_EQ(std::string(buffer, LoadStringA(program(), IDS_WINDOW_CLASS,
                                              buffer, 100)),
              "WIN32_ZORBALIN");
    int strings = 0;
    for (const ResourceEntry &entry : module_file(program())->entries())
        for (unsigned index = 0; index < 16 && entry.type.is(RT_STRING);
             ++index)
            strings += !string_from_block(entry.data, index).value().empty();
    EXPECT_EQ(strings, 2);

    const HACCEL table =
        LoadAcceleratorsA(program(), MAKEINTRESOURCEA(IDC_SCRIBBLET));
    ASSERT_NE(table, nullptr);
    const std::vector<AcceleratorEntry> expected{{FALT, '?', IDM_ABOUT},
                                                 {FALT, '/', IDM_ABOUT}};
    EXPECT_EQ(*accelerator_entries(table), expected);

    const ResourceEntry *manifest =
        module_file(program())->find(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_NE(manifest, nullptr);
    const std::string text(manifest->data.begin(), manifest->data.end());
    EXPECT_NE(text.find("<assembly"), std::string::npos);
    EXPECT_EQ(text.find("dependency"), std::string::npos);
    EXPECT_EQ(text.find("requestedExecutionLevel"), std::string::npos);
}

// Transparent around, opaque inside: a real drawing.
void expect_drawn(const QImage &image, int size)
{
    EXPECT_EQ(image.width(), size);
    EXPECT_EQ(image.height(), size);
    EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0) << "corner transparent";
    EXPECT_EQ(qAlpha(image.pixel(size / 3, size / 2)), 255) << "paper opaque";
}

// LoadIconA gives an ICO file of the group's eight images that Qt's reader,
// as the window system uses it, reads whole.
TEST(ResourcesCompiled, IconsLoadAsIcoFilesThatQtReads)
{
    for (const int id : {IDI_SCRIBBLET, IDI_SMALL}) {
        const HICON icon = LoadIconA(program(), MAKEINTRESOURCEA(id));
        ASSERT_NE(icon, nullptr) << id;
        EXPECT_EQ(LoadIconA(program(), MAKEINTRESOURCEA(id)), icon)
            << "shared, as on Windows";
        const auto *bytes = icon_file_bytes(icon);
        QByteArray data(reinterpret_cast<const char *>(bytes->data()),
                        static_cast<qsizetype>(bytes->size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "ico");
        std::vector<int> sizes;
        for (int i = 0; i < reader.imageCount(); ++i) {
            ASSERT_TRUE(reader.jumpToImage(i));
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
            expect_drawn(image, image.width());
            sizes.push_back(image.width());
        }
        std::sort(sizes.begin(), sizes.end());
        EXPECT_EQ(sizes, (std::vector<int>{16, 16, 16, 32, 32, 32, 48, 48}))
            << id;
    }
}

TEST(ResourcesCompiled, DesktopIconsAreDrawnAtTheirSizes)
{
    for (const int size : {16, 32, 48, 256}) {
        const QImage image(
            QStringLiteral(SCRIBBLET_ICON_DIR "/scribblet-%1.png").arg(size));
        ASSERT_FALSE(image.isNull()) << size;
        expect_drawn(image, size);
    }
}

} // namespace
