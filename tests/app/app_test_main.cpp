// Runs the program's tests inside a Qt application set up as the program's
// own start-up sets it up.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/qt/qt_edge.h"

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    scribblet::qt::prepare_application();
    QApplication application(argc, argv);
    scribblet::qt::install_qt_edge(application);
    return RUN_ALL_TESTS();
}
