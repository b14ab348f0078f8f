#include "platform/dialogs/fitting_line_edit.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace scribblet::dialogs {
namespace {

// QLineEdit draws its text this far inside its contents rectangle.
constexpr int line_edit_horizontal_margin = 2;

// Refuses any change that would make the field's text wider than the
// field. Text set by the program (SetDlgItemInt, WM_SETTEXT) is not
// validated by QLineEdit, as Windows does not limit it either.
class VisibleWidthValidator : public QValidator {
public:
    explicit VisibleWidthValidator(FittingLineEdit &edit)
        : QValidator(&edit), edit_(edit)
    {
    }

    State validate(QString &input, int &) const override
    {
        return edit_.fits(input) ? Acceptable : Invalid;
    }

private:
    const FittingLineEdit &edit_;
};

} // namespace

FittingLineEdit::FittingLineEdit(const QString &text, QWidget *parent)
    : QLineEdit(text, parent)
{
    setValidator(new VisibleWidthValidator(*this));
}

int FittingLineEdit::visible_text_width() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int caret =
        style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this);
    return contents.width() - margins.left() - margins.right() -
           2 * line_edit_horizontal_margin - caret;
}

bool FittingLineEdit::fits(const QString &text) const
{
    return fontMetrics().horizontalAdvance(text) <= visible_text_width();
}

} // namespace scribblet::dialogs
