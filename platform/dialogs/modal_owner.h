// What every modal window here does with its owner, as Windows' modal
// dialogs and message boxes do.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_MODAL_OWNER_H
#define SCRIBBLET_PLATFORM_DIALOGS_MODAL_OWNER_H

#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

class QDialog;

namespace scribblet::dialogs {

// Disables the owner's top-level window while a modal window runs. The
// owner is enabled again at release() or on destruction, and only if it
// was enabled before, so nested modal windows leave it as they found it;
// the control that had the focus in it gets it back, as Windows gives it
// back when the owner is activated again.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner);
    ~OwnerDisabled();
    OwnerDisabled(const OwnerDisabled &) = delete;
    OwnerDisabled &operator=(const OwnerDisabled &) = delete;

    // The top-level window that was disabled (NULL when none).
    HWND owner() const
    {
        return owner_;
    }
    void release();

private:
    HWND owner_;
    bool reenable_;
    QPointer<QWidget> focus_;
};

// Runs a Qt dialog (a message box, the file dialog) as a modal window of
// owner: the owner is disabled, the dialog is shown and a modal loop of the
// window system runs until the user closes it, so that the program's other
// windows keep taking their messages (painting, posted messages) meanwhile.
void run_modal_qt_dialog(QDialog &dialog, HWND owner);

// Qt's own texts (the buttons of message boxes and the file dialog) in
// Japanese, like the rest of the program's user interface, where Qt's
// translations are installed.
void install_japanese_qt_texts();

} // namespace scribblet::dialogs

#endif
