// The template font with its dialog units, and edit fields that stop
// taking characters once their visible width is full.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>
#include <memory>

#include "platform/dialogs/dialog_font.h"
#include "platform/dialogs/fitting_line_edit.h"

namespace {

using namespace scribblet::dialogs;

QFont template_font()
{
    scribblet::resources::DialogTemplate dialog;
    dialog.point_size = 9;
    dialog.face = "MS UI Gothic";
    return dialog_font(dialog);
}

TEST(DialogsFont, TheJapaneseFaceStandsInAtThePointSize)
{
    const QFont font = template_font();
    EXPECT_EQ(font.pixelSize(), mul_div_rounded(9, logical_dpi(), 72));
    const QFontInfo actual(font);
    EXPECT_TRUE(actual.family().startsWith(QStringLiteral("IPA")))
        << actual.family().toStdString();
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("幅高さ描画領域"))
        EXPECT_TRUE(metrics.inFont(c)) << int{c.unicode()};
}

// A field the size of the canvas-size dialog's: 50 × 12 dialog units.
std::unique_ptr<FittingLineEdit> make_field()
{
    auto field = std::make_unique<FittingLineEdit>(QString());
    const QFont font = template_font();
    const DialogBaseUnits units = measure_base_units(font);
    field->setFont(font);
    field->resize(dlu_to_pixels_x(50, units), dlu_to_pixels_y(12, units));
    field->show();
    field->setFocus();
    return field;
}

TEST(DialogsEditLimit, TypingStopsWhenTheFieldIsFull)
{
    auto field = make_field();
    QTest::keyClicks(field.get(), QString(80, u'8'));
    const QString text = field->text();
    EXPECT_GT(text.size(), 3);
    EXPECT_LT(text.size(), 80);
    const QFontMetrics metrics(field->font());
    EXPECT_LE(metrics.horizontalAdvance(text), field->visible_text_width());
    EXPECT_GT(metrics.horizontalAdvance(text + u'8'),
              field->visible_text_width());
    // Room made by deleting is room for typing again.
    QTest::keyClick(field.get(), Qt::Key_Backspace);
    QTest::keyClick(field.get(), Qt::Key_9);
    EXPECT_EQ(field->text(), text.chopped(1) + u'9');
}

TEST(DialogsEditLimit, APasteThatWouldNotFitIsRefused)
{
    auto field = make_field();
    QGuiApplication::clipboard()->setText(QString(80, u'x'));
    QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("1024"));
    QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("1024"));
}

TEST(DialogsEditLimit, TheProgramsOwnTextIsNotLimited)
{
    auto fixed = make_field();
    fixed->setText(QString(80, u'8'));
    EXPECT_EQ(fixed->text().size(), 80);
}

} // namespace
