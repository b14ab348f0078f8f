// The Qt 6 edge of the window system: it shows the windows as Qt widgets
// and feeds the user's input into the message queue.
#ifndef SCRIBBLET_PLATFORM_QT_QT_EDGE_H
#define SCRIBBLET_PLATFORM_QT_QT_EDGE_H

class QApplication;

namespace scribblet::qt {

// Application attributes that must be set before the QApplication exists:
// every pointer move is delivered on its own, none merged with the next.
void prepare_application();

// Installs the edge into the window system (once a QApplication exists):
// windows created from now on get Qt widgets, and GetMessageA waits in
// Qt's event loop. Also gives the application a font that renders
// Japanese.
void install_qt_edge(QApplication &application);

} // namespace scribblet::qt

#endif // SCRIBBLET_PLATFORM_QT_QT_EDGE_H
