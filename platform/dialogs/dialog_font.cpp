#include "platform/dialogs/dialog_font.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace scribblet::dialogs {
namespace {

constexpr int standard_dpi = 96;

// Windows' Japanese UI face is not on a Linux desktop; the IPA gothic faces
// (fonts-ipafont-gothic) take its place, proportional first as
// "MS UI Gothic" is.
void install_face_substitutions()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(
            QStringLiteral("MS UI Gothic"),
            {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
        return true;
    }();
    (void)installed;
}

} // namespace

int logical_dpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return standard_dpi;
    return static_cast<int>(screen->logicalDotsPerInchY() + 0.5);
}

QFont dialog_font(const resources::DialogTemplate &dialog)
{
    install_face_substitutions();
    QFont font(QString::fromStdString(dialog.face));
    font.setPixelSize(
        std::max(1, font_pixel_height(dialog.point_size, logical_dpi())));
    return font;
}

DialogBaseUnits measure_base_units(const QFont &font)
{
    const QFontMetrics metrics(font);
    const QString alphabet =
        QString::fromLatin1(base_unit_alphabet.data(),
                            static_cast<qsizetype>(base_unit_alphabet.size()));
    return base_units_from_measures(metrics.horizontalAdvance(alphabet),
                                    metrics.height());
}

} // namespace scribblet::dialogs
