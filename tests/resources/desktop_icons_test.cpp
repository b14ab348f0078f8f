// The PNG icons drawn for the desktop's icon theme.
#include <string>

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace {

class ResourcesDesktopIcon : public testing::TestWithParam<int> {};

TEST_P(ResourcesDesktopIcon, PngIsSquareWithTransparentSurroundings) {
    const int size = GetParam();
    const QString path = QString::fromUtf8(SCRIBBLET_ICON_DIR "/scribblet-") +
                         QString::number(size) + QStringLiteral(".png");
    const QImage image(path);
    ASSERT_FALSE(image.isNull()) << path.toStdString();
    EXPECT_EQ(image.width(), size);
    EXPECT_EQ(image.height(), size);
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(size / 3, size / 2)), 255);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResourcesDesktopIcon, testing::Values(16, 32, 48, 256));

} // namespace
