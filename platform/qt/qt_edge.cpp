#include "platform/qt/qt_edge.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QScreen>

#include "platform/qt/peers.h"
#include "platform/qt/top_level_window.h"
#include "platform/winsys/window_peer.h"

namespace scribblet::qt {
namespace {

// The primary screen's work area or whole (all monitors) area; without a
// screen, a 1024 x 768 one.
template <QRect (QScreen::*area)() const> RECT screen_rect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return to_rect(screen != nullptr ? (screen->*area)()
                                     : QRect(0, 0, 1024, 768));
}

// The busy cursor is shown over every window of the program until the
// cursor from before it comes back (the program sets the two in turn).
void set_cursor(HCURSOR cursor)
{
    if (cursor != nullptr && cursor == LoadCursorA(nullptr, IDC_WAIT))
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    // The program goes on working without reading its queue: let the
    // display show the new cursor now, taking no input meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Debian's IPA gothic fonts (fonts-ipafont-gothic) carry the Japanese
// texts; the toolkit's own font stays behind them for anything else.
void use_japanese_font(QApplication &application)
{
    QFont font = application.font();
    QStringList families{QStringLiteral("IPAPGothic"),
                         QStringLiteral("IPAGothic")};
    families.append(font.families());
    font.setFamilies(families);
    QApplication::setFont(font);
}

} // namespace

void prepare_application()
{
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QCoreApplication::setAttribute(Qt::AA_CompressTabletEvents, false);
}

void install_qt_edge(QApplication &application)
{
    prepare_application();
    use_japanese_font(application);
    winsys::install_toolkit(winsys::Toolkit{
        make_peer,
        [] { QCoreApplication::processEvents(QEventLoop::AllEvents); },
        [] {
            QCoreApplication::processEvents(QEventLoop::AllEvents |
                                            QEventLoop::WaitForMoreEvents);
        },
        screen_rect<&QScreen::availableGeometry>,
        screen_rect<&QScreen::virtualGeometry>, set_cursor});
    // Windows that outlive the application lose their widgets while Qt is
    // still there to delete them.
    qAddPostRoutine(winsys::uninstall_toolkit);
}

} // namespace scribblet::qt
