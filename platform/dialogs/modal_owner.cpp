#include "platform/dialogs/modal_owner.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

#include "platform/qt/peers.h"
#include "platform/winsys/dialog_support.h"

namespace scribblet::dialogs {
namespace {

QWidget *focus_widget_of(HWND window)
{
    QWidget *client = qt::window_widget(window);
    return client != nullptr ? client->window()->focusWidget() : nullptr;
}

// Makes a Qt top-level window (a message box, the file dialog) the owned
// window of owner: it stays above it and window managers treat it as its
// dialog. Nothing happens without an owner.
void attach_to_owner(QWidget &window, HWND owner)
{
    QWidget *owner_widget = qt::window_widget(owner);
    if (owner_widget == nullptr)
        return;
    // Qt parents would share the owner's disabled state, so the link is
    // made between the native windows instead.
    window.winId();
    owner_widget->window()->winId();
    window.windowHandle()->setTransientParent(
        owner_widget->window()->windowHandle());
}

} // namespace

// The focus is noted before disabling, which takes it away.
OwnerDisabled::OwnerDisabled(HWND owner)
    : owner_(winsys::top_level_of(owner)), focus_(focus_widget_of(owner_))
{
    reenable_ = owner_ != nullptr && !winsys::enable_window(owner_, false);
}

OwnerDisabled::~OwnerDisabled()
{
    release();
}

void OwnerDisabled::release()
{
    if (!reenable_)
        return;
    reenable_ = false;
    winsys::enable_window(owner_, true);
    if (focus_ != nullptr)
        focus_->setFocus(Qt::ActiveWindowFocusReason);
}

void run_modal_qt_dialog(QDialog &dialog, HWND owner)
{
    OwnerDisabled disabled(owner);
    attach_to_owner(dialog, disabled.owner());
    dialog.setWindowModality(
        disabled.owner() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    bool finished = false;
    // The loop looks at its condition after each message, so closing the
    // dialog posts one (a thread message that nothing handles).
    QObject::connect(&dialog, &QDialog::finished, [&finished] {
        finished = true;
        PostMessageA(nullptr, WM_NULL, 0, 0);
    });
    dialog.open();
    winsys::run_modal_loop([&finished] { return finished; },
                           [](MSG &) { return false; }, {});
}

void install_japanese_qt_texts()
{
    static QTranslator *const translator = [] {
        auto *japanese = new QTranslator(QCoreApplication::instance());
        if (japanese->load(QLocale(QLocale::Japanese, QLocale::Japan),
                           QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(japanese);
        return japanese;
    }();
    (void)translator;
}

} // namespace scribblet::dialogs
