// The main of every test program that runs on real Qt: the tests run inside
// a QApplication set up as the program's own start-up sets it up, with the
// window system's Qt edge installed, on the offscreen platform unless the
// environment names another.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/qt_edge.h"

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    scribblet::qt::prepare_application();
    QApplication application(argc, argv);
    scribblet::qt::install_qt_edge(application);
    return RUN_ALL_TESTS();
}
