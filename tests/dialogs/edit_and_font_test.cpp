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
using scribblet::resources::DialogFont;

QFont TemplateFont()
{
    return scribblet::dialogs::DialogFont(
        DialogFont{9, 0, 0, 1, "MS UI Gothic"});
}

TEST(DialogsFont, TheJapaneseFaceStandsInAtThePointSize)
{
    const QFont font = TemplateFont();
    EXPECT_EQ(font.pixelSize(), MulDivRounded(9, LogicalDpi(), 72));
    const QFontInfo actual(font);
    EXPECT_TRUE(actual.family().startsWith(QStringLiteral("IPA")))
        << actual.family().toStdString();
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("幅高さ描画領域"))
        EXPECT_TRUE(metrics.inFont(c)) << int{c.unicode()};
}

// A field the size of the canvas-size dialog's: 50 × 12 dialog units.
std::unique_ptr<FittingLineEdit> MakeField(bool scrolls)
{
    auto field = std::make_unique<FittingLineEdit>(scrolls, nullptr);
    const QFont font = TemplateFont();
    const DialogBaseUnits units = MeasureBaseUnits(font);
    field->setFont(font);
    field->resize(DluToPixelsX(50, units), DluToPixelsY(12, units));
    field->show();
    field->setFocus();
    return field;
}

TEST(DialogsEditLimit, TypingStopsWhenTheFieldIsFull)
{
    auto field = MakeField(false);
    QTest::keyClicks(field.get(), QString(80, u'8'));
    const QString text = field->text();
    EXPECT_GT(text.size(), 3);
    EXPECT_LT(text.size(), 80);
    const QFontMetrics metrics(field->font());
    EXPECT_LE(metrics.horizontalAdvance(text), field->visibleTextWidth());
    EXPECT_GT(metrics.horizontalAdvance(text + u'8'),
              field->visibleTextWidth());
    // Room made by deleting is room for typing again.
    QTest::keyClick(field.get(), Qt::Key_Backspace);
    QTest::keyClick(field.get(), Qt::Key_9);
    EXPECT_EQ(field->text(), text.chopped(1) + u'9');
}

TEST(DialogsEditLimit, APasteThatWouldNotFitIsRefused)
{
    auto field = MakeField(false);
    QGuiApplication::clipboard()->setText(QString(80, u'x'));
    QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("1024"));
    QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("1024"));
}

TEST(DialogsEditLimit, ScrollingFieldsAndTheProgramsOwnTextAreNotLimited)
{
    auto scrolling = MakeField(true);
    QTest::keyClicks(scrolling.get(), QString(80, u'8'));
    EXPECT_EQ(scrolling->text().size(), 80);

    auto fixed = MakeField(false);
    fixed->setText(QString(80, u'8'));
    EXPECT_EQ(fixed->text().size(), 80);
}

} // namespace
