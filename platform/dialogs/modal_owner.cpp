#include "platform/dialogs/modal_owner.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_system.h"

namespace scribblet::dialogs {
namespace {

QWidget *FocusWidgetOf(HWND window)
{
    QWidget *client = window != nullptr ? qt::window_widget(window)
                                        : nullptr;
    return client != nullptr ? client->window()->focusWidget() : nullptr;
}

} // namespace

// The focus is noted before disabling, which takes it away.
OwnerDisabled::OwnerDisabled(HWND owner)
    : owner_(owner != nullptr ? winsys::top_level_of(owner) : nullptr),
      focus_(FocusWidgetOf(owner_))
{
    reenable_ = owner_ != nullptr && !winsys::enable_window(owner_, false);
}

OwnerDisabled::~OwnerDisabled() { release(); }

void OwnerDisabled::release()
{
    if (!reenable_)
        return;
    reenable_ = false;
    winsys::enable_window(owner_, true);
    if (focus_ != nullptr)
        focus_->setFocus(Qt::ActiveWindowFocusReason);
}

void AttachToOwner(QWidget &window, HWND owner)
{
    QWidget *ownerWidget =
        owner != nullptr ? qt::window_widget(winsys::top_level_of(owner))
                         : nullptr;
    if (ownerWidget == nullptr)
        return;
    // Qt parents would share the owner's disabled state, so the link is
    // made between the native windows instead.
    window.winId();
    ownerWidget->window()->winId();
    window.windowHandle()->setTransientParent(
        ownerWidget->window()->windowHandle());
}

bool RunModalQtDialog(QDialog &dialog, HWND owner)
{
    OwnerDisabled disabled(owner);
    AttachToOwner(dialog, disabled.owner());
    dialog.setWindowModality(disabled.owner() != nullptr
                                 ? Qt::WindowModal
                                 : Qt::ApplicationModal);
    bool finished = false;
    // The loop looks at its condition after each message, so closing the
    // dialog posts one (a thread message that nothing handles).
    QObject::connect(&dialog, &QDialog::finished, [&finished] {
        finished = true;
        PostMessageA(nullptr, WM_NULL, 0, 0);
    });
    dialog.open();
    winsys::run_modal_loop([&finished] { return finished; },
                           [](MSG &) { return false; });
    if (!finished)
        dialog.reject();
    return finished;
}

void InstallJapaneseQtTexts()
{
    static QTranslator *const translator = [] {
        auto *japanese = new QTranslator(QCoreApplication::instance());
        if (japanese->load(QLocale(QLocale::Japanese, QLocale::Japan),
                           QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(
                               QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(japanese);
        return japanese;
    }();
    (void)translator;
}

} // namespace scribblet::dialogs
