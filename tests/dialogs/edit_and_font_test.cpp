// The template font, and edit fields that stop taking characters once their
// visible width is full.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTest>

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
    ASSERT_EQ(logical_dpi(), 96) << "the offscreen screen's";
    const QFont font = template_font();
    EXPECT_EQ(font.pixelSize(), 12); // 9 points at 96 per inch
    const QFontInfo actual(font);
    EXPECT_TRUE(actual.family().startsWith(QStringLiteral("IPA")))
        << actual.family().toStdString();
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("幅高さ描画領域"))
        EXPECT_TRUE(metrics.inFont(c)) << int{c.unicode()};
}

// A field about the size of the canvas-size dialog's (50 × 12 dialog
// units), typed into and pasted into as a person does.
TEST(DialogsEditLimit, TypingAndPastingStopWhenTheFieldIsFull)
{
    FittingLineEdit field{QString()};
    field.setFont(template_font());
    field.resize(75, 20);
    field.show();
    field.setFocus();
    QTest::keyClicks(&field, QString(80, u'8'));
    const QString text = field.text();
    EXPECT_GT(text.size(), 3);
    EXPECT_LT(text.size(), 80);
    const QFontMetrics metrics(field.font());
    EXPECT_LE(metrics.horizontalAdvance(text), field.visible_text_width());
    EXPECT_GT(metrics.horizontalAdvance(text + u'8'),
              field.visible_text_width());
    // Room made by deleting is room for typing again.
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_9);
    EXPECT_EQ(field.text(), text.chopped(1) + u'9');

    field.clear();
    QGuiApplication::clipboard()->setText(QString(80, u'x'));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), QString()) << "a paste that would not fit";
    QGuiApplication::clipboard()->setText(QStringLiteral("1024"));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), QStringLiteral("1024"));

    field.setText(QString(80, u'8'));
    EXPECT_EQ(field.text().size(), 80)
        << "the program's own text is not limited";
}

} // namespace
