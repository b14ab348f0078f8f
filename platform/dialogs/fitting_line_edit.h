// The single-line edit control. Without the ES_AUTOHSCROLL style (the
// script's fields have none) a Windows edit field never scrolls: once its
// visible width is full it refuses further characters, typed or pasted. Qt's
// line edit always scrolls, so the limit is added here as a validator that
// measures the text.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_FITTING_LINE_EDIT_H
#define SCRIBBLET_PLATFORM_DIALOGS_FITTING_LINE_EDIT_H

#include <QLineEdit>

namespace scribblet::dialogs {

class FittingLineEdit : public QLineEdit {
public:
    FittingLineEdit(const QString &text, QWidget *parent);

    // The width, in pixels, that the text and the caret may fill.
    int visible_text_width() const;

    // Whether text, drawn in this field's font, fits its visible width.
    bool fits(const QString &text) const;
};

} // namespace scribblet::dialogs

#endif
