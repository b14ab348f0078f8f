// The resource reader on the program's resources (embedded) as the program
// loads them: the dialog and the icons. (Only a broken build could give it
// other data. The program's strings are its window's title in the program's
// tests, the accelerators the window system's test's, the menus the
// journey's.)
#include <algorithm>
#include <set>
#include <sstream>
#include <string>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

#include "platform/resources/resource_reader.h"
#include "res/embedded_resources.h"
#include "res/resource.h"

using namespace scribblet::resources;

namespace {

// The canvas size dialog as text: title, font, frame; then a line per
// control: id, class (Windows' ordinals: 128 button, 129 edit, 130 static),
// frame, title.
TEST(ResourcesCompiled, CanvasSizeDialog)
{
    const auto d = load_dialog_template(program_instance(),
                                        MAKEINTRESOURCEA(IDD_CANVAS_SIZE));
    ASSERT_TRUE(d);
    std::ostringstream seen;
    const auto frame = [&seen](auto... v) { ((seen << ' ' << v), ...); };
    seen << d->title << ' ' << d->face << ' ' << d->point_size;
    frame(d->x, d->y, d->cx, d->cy);
    for (const DialogItem &item : d->items) {
        seen << '\n' << static_cast<int>(item.id) << ' ' << item.class_ordinal;
        frame(item.x, item.y, item.cx, item.cy);
        seen << ' ' << item.title.text;
    }
    EXPECT_EQ("描画領域のサイズを入力して下さい MS UI Gothic 9 22 17 "
              "120 45\n-1 130 10 12 50 8 幅\n-1 130 10 24 50 8 高さ\n" +
                  std::to_string(IDC_WIDTH) + " 129 25 10 50 12 \n" +
                  std::to_string(IDC_HEIGHT) +
                  " 129 25 22 50 12 \n1 128 80 22 30 11 OK",
              seen.str());
}

// Transparent around, opaque inside: a real drawing.
void expect_drawn(const QImage &image, int size)
{
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0) << "corner transparent";
    EXPECT_EQ(qAlpha(image.pixel(size / 3, size / 2)), 255) << "paper opaque";
}

// LoadIconA gives an ICO file of the group's eight images that Qt's reader,
// as the window system uses it, reads whole; the desktop's icons are drawn
// at their sizes.
TEST(ResourcesCompiled, IconsAreDrawnAtEverySize)
{
    for (const int id : {IDI_SCRIBBLET, IDI_SMALL}) {
        const HICON icon = LoadIconA(program_instance(), MAKEINTRESOURCEA(id));
        ASSERT_NE(icon, nullptr) << id;
        const auto *bytes = icon_file_bytes(icon);
        QBuffer buffer;
        buffer.setData(reinterpret_cast<const char *>(bytes->data()),
                       static_cast<qsizetype>(bytes->size()));
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

// Whether data parses as the entry's kind of resource (the kinds that the
// reader parses whole; a string block gives the strings that are whole).
bool parses(const ResourceEntry &entry, std::span<const std::uint8_t> data)
{
    if (entry.type.is(RT_MENU))
        return parse_menu(data).has_value();
    if (entry.type.is(RT_DIALOG))
        return parse_dialog_template(data).has_value();
    if (entry.type.is(RT_ACCELERATOR))
        return parse_accelerators(data).has_value();
    return entry.type.is(RT_GROUP_ICON) && parse_icon_group(data).has_value();
}

// Cut anywhere, the resource file is refused or holds only the entries that
// ended before the cut, and every resource's own data cut anywhere is
// refused: never a read outside the bytes (the sanitized build watches).
TEST(ResourcesMalformed, CutAnywhereIsRefused)
{
    const std::vector<std::uint8_t> file(scribblet_embedded_resources_begin,
                                         scribblet_embedded_resources_end);
    const auto whole = ResourceFile::parse(file);
    ASSERT_TRUE(whole);
    for (std::size_t length = 0; length < file.size(); ++length) {
        const auto cut =
            ResourceFile::parse({file.begin(), file.begin() + length});
        if (!cut)
            continue;
        ASSERT_LE(cut->entries().size(), whole->entries().size()) << length;
        for (std::size_t i = 0; i < cut->entries().size(); ++i)
            EXPECT_TRUE(std::ranges::equal(cut->entries()[i].data,
                                           whole->entries()[i].data))
                << length;
    }
    for (const ResourceEntry &entry : whole->entries())
        for (std::size_t length = 0; length < entry.data.size(); ++length)
            EXPECT_FALSE(parses(entry, entry.data.first(length)))
                << entry.type.ordinal << ' ' << length;
}

} // namespace
