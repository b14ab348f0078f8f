#include "platform/dialogs/dialog_font.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace scribblet::dialogs {
namespace {

constexpr int kStandardDpi = 96;
constexpr int kSystemDialogPoints = 9;

// Windows' Japanese UI faces are not on a Linux desktop; the IPA gothic
// faces (fonts-ipafont-gothic) take their place, proportional first as
// "MS UI Gothic" is. "MS Shell Dlg" is Windows' alias for its dialog face.
void InstallFaceSubstitutions()
{
    static const bool installed = [] {
        const QStringList gothic{"IPAPGothic", "IPAGothic"};
        for (const char *face : {"MS UI Gothic", "MS Shell Dlg",
                                 "MS Shell Dlg 2", "MS PGothic", "MS Gothic"})
            QFont::insertSubstitutions(QString::fromLatin1(face), gothic);
        return true;
    }();
    (void)installed;
}

// LOGFONT weights run from 1 to 1000 with 0 for "don't care"; Qt uses the
// same scale.
int QtWeight(int logfontWeight)
{
    return logfontWeight == 0 ? QFont::Normal
                              : std::clamp(logfontWeight, 1, 1000);
}

} // namespace

int LogicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return kStandardDpi;
    return static_cast<int>(screen->logicalDotsPerInchY() + 0.5);
}

QFont DialogFont(const std::optional<resources::DialogFont> &font)
{
    InstallFaceSubstitutions();
    QFont result(QStringLiteral("MS UI Gothic"));
    int points = kSystemDialogPoints;
    if (font) {
        result.setFamily(QString::fromStdString(font->face));
        result.setWeight(static_cast<QFont::Weight>(QtWeight(font->weight)));
        result.setItalic(font->italic != 0);
        points = font->point_size;
    }
    result.setPixelSize(std::max(1, FontPixelHeight(points, LogicalDpi())));
    return result;
}

DialogBaseUnits MeasureBaseUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    const QString alphabet = QString::fromLatin1(
        kBaseUnitAlphabet.data(),
        static_cast<qsizetype>(kBaseUnitAlphabet.size()));
    return BaseUnitsFromMeasures(metrics.horizontalAdvance(alphabet),
                                 metrics.height());
}

} // namespace scribblet::dialogs
