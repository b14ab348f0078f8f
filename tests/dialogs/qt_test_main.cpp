// Runs the tests inside a real QApplication with the window system's Qt
// edge installed, on the offscreen platform unless another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/qt/qt_edge.h"

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    scribblet::qt::prepare_application();
    QApplication application(argc, argv);
    scribblet::qt::install_qt_edge(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
